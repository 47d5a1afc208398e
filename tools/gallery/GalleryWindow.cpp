#include "GalleryWindow.h"

#include "GalleryAccount.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

GalleryWindow::GalleryWindow(std::vector<Exhibit> exhibits, GalleryAccount& account)
    : m_exhibits(std::move(exhibits)), m_account(account), m_list(new QListWidget(this)) {
    setWindowTitle("Quillon gallery");
    auto* layout = new QVBoxLayout(this);
    auto* where = new QLabel(m_account.Description(), this);
    where->setObjectName("accountLabel");
    where->setWordWrap(true);
    layout->addWidget(where);

    m_list->setObjectName("exhibitListWidget");
    m_list->setAccessibleName("Controls and dialogs");
    for (const Exhibit& exhibit : m_exhibits)
        m_list->addItem(exhibit.title);
    m_list->setCurrentRow(0);
    layout->addWidget(m_list);

    auto* open = new QPushButton("&Open", this);
    open->setObjectName("openButton");
    open->setDefault(true);
    layout->addWidget(open, 0, Qt::AlignRight);
    connect(open, &QPushButton::clicked, this, [this] { OpenSelected(); });
    connect(m_list, &QListWidget::itemActivated, this, [this] { OpenSelected(); });
    resize(360, 320);
}

GalleryWindow::~GalleryWindow() = default;

void GalleryWindow::OpenSelected() {
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    std::unique_ptr<QWidget> window = m_exhibits[row].open(m_account);
    // A dialog runs modally as in a program; anything else stays open beside the gallery.
    if (auto* dialog = qobject_cast<QDialog*>(window.get())) {
        dialog->exec();
        return;
    }
    window->show();
    m_open.push_back(std::move(window));
}

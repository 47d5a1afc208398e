#pragma once

#include "Exhibit.h"

#include <QListWidget>
#include <QWidget>

#include <memory>
#include <vector>

// The gallery's own window: the list of exhibits; opening one shows it in a window of its own.
class GalleryWindow : public QWidget {
public:
    GalleryWindow(std::vector<Exhibit> exhibits, GalleryAccount& account);
    ~GalleryWindow() override;

private:
    void OpenSelected();

    std::vector<Exhibit> m_exhibits;
    GalleryAccount& m_account;
    QListWidget* m_list;
    std::vector<std::unique_ptr<QWidget>> m_open;
};

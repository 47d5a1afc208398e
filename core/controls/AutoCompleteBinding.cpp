#include "controls/AutoCompleteBinding.h"

#include "controls/WidgetAutoComplete.h"
#include "frontend/IAutoCompleteFactory.h"
#include "frontend/SmsAutoComplete.h"

#include <QComboBox>
#include <QLineEdit>

#include <memory>

namespace {

class WidgetAutoCompleteFactory : public IAutoCompleteFactory {
public:
    WidgetAutoCompleteFactory(QLineEdit* edit, QComboBox* combo) : m_edit(edit), m_combo(combo) {}

    std::unique_ptr<IAutoCompleteObject> Create() override {
        if (!m_edit)
            return nullptr;
        return std::make_unique<WidgetAutoComplete>(m_edit, m_combo);
    }

private:
    QLineEdit* m_edit;
    QComboBox* m_combo;
};

} // namespace

bool Bind(CSmsAutoComplete& source, QLineEdit* edit, std::uint32_t options) {
    WidgetAutoCompleteFactory factory(edit, nullptr);
    return source.Bind(factory, options);
}

bool Bind(CSmsAutoComplete& source, QComboBox* combo, std::uint32_t options) {
    WidgetAutoCompleteFactory factory(combo ? combo->lineEdit() : nullptr, combo);
    return source.Bind(factory, options);
}

#include "SmsHistoryItem.h"

#include "XmlText.h"

void CSmsHistoryItem::WriteXML(pugi::xml_node& parent) const {
    pugi::xml_node item = parent.append_child("HistoryItem");
    item.text().set(AnsiToXmlText(m_text).c_str());
    item.append_attribute("TimeStamp").set_value(m_timeStamp);
}

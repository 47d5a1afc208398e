#include "SmsHistoryItem.h"

#include "XmlWriter.h"

void CSmsHistoryItem::WriteXML(CXmlWriter& writer) const {
    writer.Open("HistoryItem");
    writer.Attribute("TimeStamp", m_timeStamp);
    writer.Text(m_text);
    writer.Close();
}

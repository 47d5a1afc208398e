#include "logic/NoticeHtml.h"

#include <gtest/gtest.h>

TEST(NoticeHtml, PlainTextIsWrappedInAPageWithoutContextMenu) {
    EXPECT_EQ(NoticeHtml("Nová verzia je tu"),
              "<HTML><BODY oncontextmenu=\"return false\">Nová verzia je tu</BODY></HTML>");
    EXPECT_EQ(NoticeHtml(""), "<HTML><BODY oncontextmenu=\"return false\"></BODY></HTML>");
}

TEST(NoticeHtml, APageGetsTheAttributeOnceWhateverTheCaseOfItsTags) {
    EXPECT_EQ(NoticeHtml("<html><body bgcolor=white>Ahoj</body></html>"),
              "<html><body oncontextmenu=\"return false\" bgcolor=white>Ahoj</body></html>");
    const std::string already = "<HTML><BODY OnContextMenu=\"x()\">Ahoj</BODY></HTML>";
    EXPECT_EQ(NoticeHtml(already), already);
    // An attribute of the same name further down the page does not count for the body tag.
    EXPECT_EQ(NoticeHtml("<html><body><div oncontextmenu=\"\">x</div></body></html>"),
              "<html><body oncontextmenu=\"return false\"><div oncontextmenu=\"\">x</div></body>"
              "</html>");
    // A page without a body is left as it is.
    EXPECT_EQ(NoticeHtml("<html>x</html>"), "<html>x</html>");
}

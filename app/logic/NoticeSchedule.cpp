#include "logic/NoticeSchedule.h"

#include "logic/NoticeHtml.h"

namespace {
constexpr std::int64_t kWeek = 7 * 24 * 3600;
}

bool IsNoticeDue(bool showNotice, std::int64_t now, std::int64_t lastNoticeTime) {
    return showNotice && now - lastNoticeTime > kWeek;
}

std::string NoticePage(const std::string& notice, const std::string& ownPage) {
    return NoticeHtml(notice.empty() ? ownPage : notice);
}

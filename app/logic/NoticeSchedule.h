#pragma once

#include <cstdint>
#include <string>

// The notice is shown at most once a week, to a user who wants it.
bool IsNoticeDue(bool showNotice, std::int64_t now, std::int64_t lastNoticeTime);

// The page the notice window shows: the service's notice, or the program's own page when the
// service sent none, made an HTML page without context menu (NoticeHtml).
std::string NoticePage(const std::string& notice, const std::string& ownPage);

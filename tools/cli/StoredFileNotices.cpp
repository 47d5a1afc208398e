#include "StoredFileNotices.h"

#include "model/StoredFileNotice.h"

#include <cstdio>
#include <cstring>

std::string DescribeStoredFileNotice(const StoredFileNotice& notice) {
    using Problem = StoredFileNotice::Problem;
    switch (notice.problem) {
    case Problem::Damaged:
        if (notice.keptAs == notice.path)
            return notice.path + " is damaged and was not read; it is left as it is";
        if (notice.keptAs.empty())
            return notice.path + " is damaged and was not read, and no copy of it could be " +
                   "kept; the next save replaces it";
        return notice.path + " is damaged and was not read; it is kept as " + notice.keptAs +
               ", and the next save replaces it";
    case Problem::NotRegular:
        return notice.path + " is not a regular file; it was not read and will not be replaced";
    case Problem::Unreadable:
        return notice.path + " cannot be read (" + std::strerror(notice.error) +
               "); it is left as it is";
    }
    return notice.path;
}

void PrintStoredFileNotices() {
    for (const StoredFileNotice& notice : TakeStoredFileNotices())
        std::fprintf(stderr, "quillon-cli: %s\n", DescribeStoredFileNotice(notice).c_str());
}

#include "SaveError.h"

#include <cerrno>
#include <system_error>

SaveError SaveError::FromErrno(int error, const std::string& path, Reason fallback) {
    Reason reason = fallback;
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        reason = Reason::NoFolder;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        reason = Reason::PermissionDenied;
        break;
    case ENOSPC:
    case EDQUOT:
        reason = Reason::DiskFull;
        break;
    default:
        break;
    }
    return {reason, path, std::generic_category().message(error)};
}

std::string SaveError::Describe() const {
    std::string text;
    switch (reason) {
    case Reason::None:
        return "saved";
    case Reason::NoFolder:
        text = "the folder " + path + " is missing and could not be created";
        break;
    case Reason::PermissionDenied:
        text = "permission denied: " + path + " may not be written";
        break;
    case Reason::DiskFull:
        text = "the disk is full: " + path + " could not be written";
        break;
    case Reason::RenameFailed:
        text = path + " could not be replaced by the new file";
        break;
    case Reason::IoError:
        text = path + " could not be written";
        break;
    }
    return systemText.empty() ? text : text + " (" + systemText + ")";
}

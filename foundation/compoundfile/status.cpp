#include "compoundfile/status.h"

namespace compoundfile {

const char* toString(Status status) {
    switch (status) {
    case Status::Ok:
        return "ok";
    case Status::FileNotFound:
        return "file not found";
    case Status::ElementNotFound:
        return "element not found";
    case Status::WrongKind:
        return "element is of the other kind";
    case Status::AlreadyExists:
        return "name already exists";
    case Status::InvalidName:
        return "invalid element name";
    case Status::Locked:
        return "file is in use by another access";
    case Status::AccessDenied:
        return "access denied";
    case Status::NotCompoundFile:
        return "not a sound compound file";
    case Status::IoError:
        return "input/output error";
    }
    return "unknown status";
}

} // namespace compoundfile

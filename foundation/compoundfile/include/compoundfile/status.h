#pragma once

namespace compoundfile {

// The outcome of a compound-file operation.
enum class Status {
    Ok,
    FileNotFound,    // the file does not exist
    ElementNotFound, // no storage or stream of that name
    WrongKind,       // the element exists but is a stream where a storage was asked, or back
    AlreadyExists,   // creating an element or a file whose name is taken
    InvalidName,     // empty, longer than 31 characters, or holding "/", "\\", ":" or "!"
    Locked,          // another access holds the file
    AccessDenied,    // the system refused to open or write the file
    NotCompoundFile, // damaged, or not a compound file at all
    IoError,         // reading or writing the file failed
};

const char* toString(Status status);

} // namespace compoundfile

#include "setup/start/errors/FileException.h"

const char* FileException::describeCode(int code) {
    switch (code) {
    case NoError:
        return "No error occurred";
    case NotFound:
        return "File not found";
    case CannotOpen:
        return "Can not open file";
    case ReadError:
        return "There was an error in read operation";
    case SeekError:
        return "There was an error trying to set the file pointer";
    case DiskFull:
        return "The disk is full";
    case EndOfFile:
        return "The end of file was reached";
    default:
        return "Unknown error";
    }
}

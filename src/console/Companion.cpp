#include "Companion.h"

#include "Texts.h"

int finishCompanion(int status, Output& out, Output& err) {
    if (status == kStatusNoMemory) err.print<texts::kNoMemory>();
    if (!out.flush()) {
        err.print<texts::kCannotWrite>();
        status = kStatusCannotWrite;
    }
    err.flush();
    return status;
}

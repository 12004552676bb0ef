#pragma once
// libjpeg reports errors through error_exit, whose default ends the process.
// Ours jumps back to the guarded step that made the failing call.

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace jpeg_guard {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jumpBack;
};

[[noreturn]] inline void jumpOnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jumpBack, 1);
}

// Runs a few libjpeg calls with the jump target set. The step must own
// nothing with a destructor, because a longjmp skips over its frame.
template <typename Step>
bool guarded(ErrorManager &errors, Step &&step)
{
    if (setjmp(errors.jumpBack) != 0)
        return false;
    step();
    return true;
}

} // namespace jpeg_guard

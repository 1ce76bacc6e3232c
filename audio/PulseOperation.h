#pragma once

#include <pulse/operation.h>

namespace qv {

// The client library returns a null operation when it cannot even send the
// request (the connection is going, say): there is nothing to release then.
inline void unrefOperation(pa_operation* op) {
    if (op)
        pa_operation_unref(op);
}

// An operation whose answer is no longer wanted.
inline void dropOperation(pa_operation*& op) {
    if (op) {
        pa_operation_cancel(op);
        pa_operation_unref(op);
        op = nullptr;
    }
}

} // namespace qv

#pragma once

#include "AppError.h"

#include <QString>

// The text of the AppError that f raises, or an empty string when it succeeds.
template<typename F>
QString errorText(F &&f)
{
    try {
        f();
    } catch (const AppError &e) {
        return e.text();
    }
    return {};
}

#pragma once

#include <QString>
#include <cstring>

// The result of an operation whose failure the user may have to be told about.
struct Outcome {
    bool ok = true;
    QString reason; // why it failed, in words a user understands; empty when ok
    int error = 0;  // the system's error number (errno) where it gave one
    explicit operator bool() const { return ok; }
    static Outcome success() { return {}; }
    static Outcome failure(const QString &why, int error = 0) { return {false, why, error}; }
    // A failure the system reported by its error number, in its own words.
    static Outcome systemError(int error)
    {
        return failure(QString::fromLocal8Bit(std::strerror(error)), error);
    }
};

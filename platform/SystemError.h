// SPDX-License-Identifier: MIT
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace vantrel {

/// \brief Base of the program's exceptions: a message and the class name shown with it.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const std::string& Message() const noexcept { return FMessage; }
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string FMessage;
};

/// \brief A failed system call, carrying the system's error code and its system text.
class EOSError : public Exception {
public:
    EOSError(int errorCode, std::string message)
        : Exception(std::move(message)), FErrorCode(errorCode) {}
    const char* ClassName() const noexcept override { return "EOSError"; }
    int ErrorCode() const noexcept { return FErrorCode; }

    /// "System Error.  Code: %d.\r\n%s%s" for the C library's errno `code` (its strerror
    /// text); `extra` is appended.
    static EOSError FromErrno(int code, const std::string& extra = {});
    /// The same for an error code of the operating system (LastSystemError): errno on POSIX,
    /// a Windows error code with the system's own text there.
    static EOSError FromSystemCode(int code, const std::string& extra = {});
    /// FromSystemCode of the calling thread's last error.
    static EOSError LastError(const std::string& extra = {});

private:
    int FErrorCode;
};

/// The calling thread's last error of the operating system (errno, GetLastError).
[[nodiscard]] int LastSystemError() noexcept;

/// True for a LastSystemError that means the file or a folder of its path does not exist.
[[nodiscard]] bool IsNotFoundError(int code) noexcept;

} // namespace vantrel

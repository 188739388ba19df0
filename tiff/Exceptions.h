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

/// \brief A file the TIFF engine refuses or cannot write.
class ETIFFError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ETIFFError"; }
};

/// \brief A failed system call, carrying errno and its system text.
class EOSError : public Exception {
public:
    EOSError(int errorCode, std::string message)
        : Exception(std::move(message)), FErrorCode(errorCode) {}
    const char* ClassName() const noexcept override { return "EOSError"; }
    int ErrorCode() const noexcept { return FErrorCode; }

    /// "System Error.  Code: %d.\r\n%s%s" for errno `code`; `extra` is appended.
    static EOSError FromErrno(int code, const std::string& extra = {});

private:
    int FErrorCode;
};

} // namespace vantrel

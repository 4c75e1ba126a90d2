#pragma once

#include <string>
#include <utility>

namespace xbase {

// The outcome of every fallible engine call. A status carries a code and a
// message that names the file concerned and, for system errors, errno's text.
class [[nodiscard]] Status {
public:
    enum class Code { Ok, NotFound, Corruption, IOError, Locked, InvalidArgument };

    // Not "= default": `return {}` would then zero the whole object before
    // constructing it, on every successful call.
    Status() noexcept {}

    static Status ok() { return {}; }
    static Status notFound(std::string msg) { return {Code::NotFound, std::move(msg)}; }
    static Status corruption(std::string msg) { return {Code::Corruption, std::move(msg)}; }
    static Status ioError(std::string msg) { return {Code::IOError, std::move(msg)}; }
    static Status locked(std::string msg) { return {Code::Locked, std::move(msg)}; }
    static Status invalidArgument(std::string msg) { return {Code::InvalidArgument, std::move(msg)}; }

    // An I/O error for `path` from the errno value `err`.
    static Status fromErrno(const std::string& what, const std::string& path, int err);

    bool isOk() const { return m_code == Code::Ok; }
    bool isNotFound() const { return m_code == Code::NotFound; }
    bool isCorruption() const { return m_code == Code::Corruption; }
    bool isIOError() const { return m_code == Code::IOError; }
    bool isLocked() const { return m_code == Code::Locked; }
    bool isInvalidArgument() const { return m_code == Code::InvalidArgument; }

    Code code() const { return m_code; }
    const std::string& message() const { return m_msg; }
    // "Corruption: <message>", for people.
    std::string toString() const;

private:
    Status(Code code, std::string msg) : m_code(code), m_msg(std::move(msg)) {}

    Code m_code = Code::Ok;
    std::string m_msg;
};

} // namespace xbase

// Returns the status from the enclosing function when it is not ok.
#define XB_RETURN_IF_ERROR(expr)                                                 \
    do {                                                                         \
        ::xbase::Status xb_status_ = (expr);                                     \
        if (!xb_status_.isOk())                                                  \
            return xb_status_;                                                   \
    } while (0)

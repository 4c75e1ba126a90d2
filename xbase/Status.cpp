#include "xbase/Status.h"

#include <cstring>

namespace xbase {

Status Status::fromErrno(const std::string& what, const std::string& path, int err)
{
    std::string msg = what + " " + path + ": " + std::strerror(err);
    if (err == ENOENT)
        return notFound(std::move(msg));
    if (err == EAGAIN || err == EACCES || err == EWOULDBLOCK)
        return locked(std::move(msg));
    return ioError(std::move(msg));
}

std::string Status::toString() const
{
    switch (m_code) {
    case Code::Ok: return "OK";
    case Code::NotFound: return "Not found: " + m_msg;
    case Code::Corruption: return "Corruption: " + m_msg;
    case Code::IOError: return "I/O error: " + m_msg;
    case Code::Locked: return "Locked: " + m_msg;
    case Code::InvalidArgument: return "Invalid argument: " + m_msg;
    }
    return m_msg;
}

} // namespace xbase

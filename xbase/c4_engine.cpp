#include "xbase/c4.h"
#include "xbase/c4_internal.h"

namespace c4detail {

int errorCodeFor(const xbase::Status& s)
{
    using Code = xbase::Status::Code;
    switch (s.code()) {
    case Code::Ok: return C4_SUCCESS;
    case Code::NotFound: return C4_ERR_OPEN;
    case Code::IOError: return C4_ERR_IO;
    case Code::Corruption: return C4_ERR_DATA;
    case Code::Locked: return C4_ERR_LOCK;
    case Code::InvalidArgument: return C4_ERR_ARGUMENT;
    }
    return C4_ERR_IO;
}

int fail(CODE4& c4, const xbase::Status& s, int code)
{
    if (code == 0)
        code = errorCodeFor(s);
    c4.recordError(code, s);
    return code;
}

int result(DATA4* d4, const xbase::Status& s)
{
    return s.isOk() ? C4_SUCCESS : fail(d4->engine(), s);
}

} // namespace c4detail

namespace {

int swap(bool& setting, int on)
{
    const int before = setting ? 1 : 0;
    setting = on != 0;
    return before;
}

int swap(int& setting, int value)
{
    const int before = setting;
    setting = value;
    return before;
}

} // namespace

CODE4* d4init_v() { return new (std::nothrow) xbase::Engine(); }

int d4initUndo(CODE4* c4)
{
    if (!c4)
        return C4_ERR_ARGUMENT;
    const xbase::Status s = c4->closeAll();
    delete c4;
    return s.isOk() ? C4_SUCCESS : c4detail::errorCodeFor(s);
}

int code4accessMode(CODE4* c4, int mode) { return swap(c4->settings().exclusive, mode); }
int code4lockAttempts(CODE4* c4, int attempts) { return swap(c4->settings().lockAttempts, attempts); }
int code4lockDelay(CODE4* c4, int milliseconds) { return swap(c4->settings().lockDelayMs, milliseconds); }
int code4lockEnforce(CODE4* c4, int on) { return swap(c4->settings().lockEnforce, on); }
int code4readLock(CODE4* c4, int on) { return swap(c4->settings().readLock, on); }
int code4readOnly(CODE4* c4, int on) { return swap(c4->settings().readOnly, on); }
int code4errTagName(CODE4* c4, int on) { return swap(c4->settings().errTagName, on); }

int code4errorCode(CODE4* c4, int code)
{
    const int before = c4->errorCode();
    c4->setErrorCode(code);
    return before;
}

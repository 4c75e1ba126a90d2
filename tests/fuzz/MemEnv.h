#pragma once

#include "xbase/Env.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Files held in memory, for the fuzz target and the crash test: no disk
// work per input. Locks always succeed (one handle per file).
class MemEnv final : public xbase::Env {
public:
    using Bytes = std::vector<uint8_t>;

    void put(const std::string& path, Bytes bytes) { m_files[path] = std::make_shared<Bytes>(std::move(bytes)); }
    // Every file and its bytes, copied.
    std::map<std::string, Bytes> files() const
    {
        std::map<std::string, Bytes> out;
        for (const auto& [path, bytes] : m_files)
            out[path] = *bytes;
        return out;
    }

    xbase::Status open(const std::string& path, OpenMode mode, std::unique_ptr<xbase::File>* out) override;
    xbase::Status rename(const std::string& from, const std::string& to) override;
    xbase::Status remove(const std::string& path) override;
    bool exists(const std::string& path) override { return m_files.count(path) != 0; }
    void sleepMillis(int) override {}

private:
    std::map<std::string, std::shared_ptr<Bytes>> m_files;
};

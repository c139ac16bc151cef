#pragma once
// Where the per-user settings live: integer and text values by name in a
// section. The windows implement it with QSettings; tests hold it in memory.

#include <string>

namespace tessaro {

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // An absent value, or one stored with the other type, reads as the default.
    virtual int ReadInt(const std::string& section, const std::string& name, int defaultValue) = 0;
    virtual std::string ReadString(const std::string& section, const std::string& name,
                                   const std::string& defaultValue) = 0;
    // Writes change the values at once for reading; they reach the store's file
    // with the next Flush.
    virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;
    virtual void WriteString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
    // Writes every changed value out in one go; false when that failed (a
    // read-only folder, a full disk).
    virtual bool Flush() = 0;
    // After a failed Flush: the file and the system's reason, for the message;
    // empty when the store cannot tell.
    virtual std::string FlushFailure() const { return {}; }
};

} // namespace tessaro

// The registry stand-in: the keys and string values the program writes to the hives, kept in
// one file of the program directory, opened and written anew for every operation.
#pragma once

#include <map>
#include <string>

namespace krq {

enum class THive { ClassesRoot, CurrentUser };

class TRegistry {
  public:
    // The store of the program directory ("registry.dat").
    TRegistry();
    explicit TRegistry(std::string path);

    const std::string& Path() const { return path_; }

    bool KeyExists(THive hive, const std::string& key) const;
    // Opens the key by its full path, creating it and its parents when missing; false when the
    // store cannot be written.
    bool CreateKey(THive hive, const std::string& key);
    // Removes a key with its values and subkeys (for tests and for a user's clean-up).
    bool DeleteKey(THive hive, const std::string& key);
    // A value of an existing key; "" when the key or the value is absent. The empty name is the
    // key's default value.
    std::string ReadString(THive hive, const std::string& key, const std::string& name) const;
    // Writes a value of an existing key, kept byte for byte; false when the key is missing or
    // the store cannot be written.
    bool WriteString(THive hive, const std::string& key, const std::string& name,
                     const std::string& value);

  private:
    // Key paths (hive name, "\", key, compared without regard to case) and their values.
    struct TKey {
        std::string Name;                           // as first created
        std::map<std::string, std::string> Values;  // by folded value name
    };
    using TKeys = std::map<std::string, TKey>;
    bool Load(TKeys& keys) const;
    bool Save(const TKeys& keys) const;

    std::string path_;
};

}  // namespace krq

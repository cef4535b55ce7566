// An in-memory registry for the unit tests: keys with case-insensitive names, typed values, open handles
// counted so a test can check that every key opened is closed again.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace zv::test {

class FakeRegistry : public Registry {
public:
    struct Value {
        uint32_t type = kRegNoType;
        std::vector<uint8_t> data;
    };

    FakeRegistry();

    // Test set-up and inspection, by full path below a root ("SOFTWARE\\Zolvane\\ChipType").
    void AddKey(RegKey root, const std::string& path);
    void SetBinary(RegKey root, const std::string& path, const std::string& name, std::vector<uint8_t> bytes);
    void SetDword(RegKey root, const std::string& path, const std::string& name, uint32_t value);
    void SetString(RegKey root, const std::string& path, const std::string& name, const std::string& text);
    void SetRaw(RegKey root, const std::string& path, const std::string& name, uint32_t type,
                std::vector<uint8_t> bytes);
    // Keys that exist but refuse to open, as a key with restrictive access would.
    void DenyOpen(RegKey root, const std::string& path);
    const Value* Find(RegKey root, const std::string& path, const std::string& name) const;
    bool HasKey(RegKey root, const std::string& path) const;
    int OpenHandles() const { return static_cast<int>(handles_.size()); }
    int Writes() const { return writes_; }

    long OpenKey(RegKey parent, const char* path, RegKey* key) override;
    long CreateKey(RegKey parent, const char* path, RegKey* key) override;
    long CloseKey(RegKey key) override;
    long QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* size) override;
    long SetValue(RegKey key, const char* name, uint32_t type, const void* data, uint32_t size) override;
    long EnumKey(RegKey key, uint32_t index, char* name, uint32_t nameSize) override;

private:
    struct Node;
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    struct Node {
        std::string name;                              // as created, case kept
        std::vector<std::unique_ptr<Node>> children;   // in creation order, as enumeration returns them
        std::map<std::string, Value, NoCase> values;
        bool denyOpen = false;
    };

    Node* Root(RegKey root);
    Node* Resolve(RegKey key);
    Node* Walk(Node* from, const std::string& path, bool create);
    const Node* WalkConst(RegKey root, const std::string& path) const;
    RegKey NewHandle(Node* node);

    Node localMachine_;
    Node currentUser_;
    std::map<RegKey, Node*> handles_;
    RegKey nextHandle_ = 0x1000;
    int writes_ = 0;
};

}  // namespace zv::test

#include "fakes/fake_registry.h"

#include <strings.h>

#include <cstring>

namespace zv::test {

bool FakeRegistry::NoCase::operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

FakeRegistry::FakeRegistry() {
    localMachine_.name = "HKEY_LOCAL_MACHINE";
    currentUser_.name = "HKEY_CURRENT_USER";
}

FakeRegistry::Node* FakeRegistry::Root(RegKey root) {
    if (root == kHkeyLocalMachine) return &localMachine_;
    if (root == kHkeyCurrentUser) return &currentUser_;
    return nullptr;
}

FakeRegistry::Node* FakeRegistry::Resolve(RegKey key) {
    if (Node* root = Root(key)) return root;
    auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : it->second;
}

FakeRegistry::Node* FakeRegistry::Walk(Node* from, const std::string& path, bool create) {
    Node* node = from;
    size_t pos = 0;
    while (node && pos < path.size()) {
        size_t end = path.find('\\', pos);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty()) continue;
        Node* next = nullptr;
        for (auto& child : node->children) {
            if (strcasecmp(child->name.c_str(), part.c_str()) == 0) {
                next = child.get();
                break;
            }
        }
        if (!next && create) {
            node->children.push_back(std::make_unique<Node>());
            next = node->children.back().get();
            next->name = part;
        }
        node = next;
    }
    return node;
}

const FakeRegistry::Node* FakeRegistry::WalkConst(RegKey root, const std::string& path) const {
    auto* self = const_cast<FakeRegistry*>(this);
    return self->Walk(self->Root(root), path, false);
}

RegKey FakeRegistry::NewHandle(Node* node) {
    RegKey handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = node;
    return handle;
}

void FakeRegistry::AddKey(RegKey root, const std::string& path) { Walk(Root(root), path, true); }

void FakeRegistry::SetRaw(RegKey root, const std::string& path, const std::string& name, uint32_t type,
                          std::vector<uint8_t> bytes) {
    Node* node = Walk(Root(root), path, true);
    node->values[name] = Value{type, std::move(bytes)};
}

void FakeRegistry::SetBinary(RegKey root, const std::string& path, const std::string& name,
                             std::vector<uint8_t> bytes) {
    SetRaw(root, path, name, kRegBinary, std::move(bytes));
}

void FakeRegistry::SetDword(RegKey root, const std::string& path, const std::string& name, uint32_t value) {
    SetRaw(root, path, name, kRegDword,
           {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
}

void FakeRegistry::SetString(RegKey root, const std::string& path, const std::string& name,
                             const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    SetRaw(root, path, name, kRegSz, std::move(bytes));
}

void FakeRegistry::DenyOpen(RegKey root, const std::string& path) { Walk(Root(root), path, true)->denyOpen = true; }

const FakeRegistry::Value* FakeRegistry::Find(RegKey root, const std::string& path, const std::string& name) const {
    const Node* node = WalkConst(root, path);
    if (!node) return nullptr;
    auto it = node->values.find(name);
    return it == node->values.end() ? nullptr : &it->second;
}

bool FakeRegistry::HasKey(RegKey root, const std::string& path) const { return WalkConst(root, path) != nullptr; }

long FakeRegistry::OpenKey(RegKey parent, const char* path, RegKey* key) {
    Node* base = Resolve(parent);
    Node* node = base ? Walk(base, path ? path : "", false) : nullptr;
    if (!node || node->denyOpen) return kRegNotFound;
    *key = NewHandle(node);
    return kRegOk;
}

long FakeRegistry::CreateKey(RegKey parent, const char* path, RegKey* key) {
    Node* base = Resolve(parent);
    if (!base) return kRegNotFound;
    Node* node = Walk(base, path ? path : "", true);
    if (node->denyOpen) return kRegNotFound;
    *key = NewHandle(node);
    ++writes_;
    return kRegOk;
}

long FakeRegistry::CloseKey(RegKey key) {
    return handles_.erase(key) ? kRegOk : 6;  // ERROR_INVALID_HANDLE
}

long FakeRegistry::QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* size) {
    Node* node = Resolve(key);
    if (!node) return 6;
    auto it = node->values.find(name ? name : "");
    if (it == node->values.end()) return kRegNotFound;
    const Value& value = it->second;
    if (type) *type = value.type;
    if (data) {
        if (!size) return 87;  // ERROR_INVALID_PARAMETER
        if (*size < value.data.size()) {
            *size = static_cast<uint32_t>(value.data.size());
            return kRegMoreData;
        }
        if (!value.data.empty()) std::memcpy(data, value.data.data(), value.data.size());
    }
    if (size) *size = static_cast<uint32_t>(value.data.size());
    return kRegOk;
}

long FakeRegistry::SetValue(RegKey key, const char* name, uint32_t type, const void* data, uint32_t size) {
    Node* node = Resolve(key);
    if (!node) return 6;
    const auto* bytes = static_cast<const uint8_t*>(data);
    node->values[name ? name : ""] = Value{type, std::vector<uint8_t>(bytes, bytes + size)};
    ++writes_;
    return kRegOk;
}

long FakeRegistry::EnumKey(RegKey key, uint32_t index, char* name, uint32_t nameSize) {
    Node* node = Resolve(key);
    if (!node) return 6;
    if (index >= node->children.size()) return kRegNoMoreItems;
    const std::string& child = node->children[index]->name;
    if (child.size() + 1 > nameSize) return kRegMoreData;
    std::memcpy(name, child.c_str(), child.size() + 1);
    return kRegOk;
}

}  // namespace zv::test

#include "platform/registry/RegistryTree.h"

#include "platform/AsciiCase.h"

#include <algorithm>

RegistryNode::~RegistryNode()
{
    std::vector<std::unique_ptr<RegistryNode>> pending = std::move(subkeys);
    while (!pending.empty()) {
        std::unique_ptr<RegistryNode> key = std::move(pending.back());
        pending.pop_back();
        for (auto& subkey : key->subkeys)
            pending.push_back(std::move(subkey));
        key->subkeys.clear();
    }
}

RegistryNode* RegistryNode::FindSubkey(std::string_view subkeyName) const
{
    auto it = std::find_if(subkeys.begin(), subkeys.end(),
                           [&](const std::unique_ptr<RegistryNode>& key) { return EqualsNoCase(key->name, subkeyName); });
    return it == subkeys.end() ? nullptr : it->get();
}

RegistryNode& RegistryNode::ObtainSubkey(std::string_view subkeyName, bool& created)
{
    created = false;
    if (RegistryNode* existing = FindSubkey(subkeyName))
        return *existing;
    subkeys.push_back(std::make_unique<RegistryNode>(std::string(subkeyName)));
    created = true;
    return *subkeys.back();
}

RegistryValue* RegistryNode::FindValue(std::string_view valueName)
{
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegistryValue& value) { return EqualsNoCase(value.name, valueName); });
    return it == values.end() ? nullptr : &*it;
}

const RegistryValue* RegistryNode::FindValue(std::string_view valueName) const
{
    return const_cast<RegistryNode*>(this)->FindValue(valueName);
}

void RegistryNode::SetValue(std::string_view valueName, std::uint32_t type, std::vector<std::uint8_t> data)
{
    if (RegistryValue* existing = FindValue(valueName)) {
        existing->type = type;
        existing->data = std::move(data);
        return;
    }
    values.push_back(RegistryValue{std::string(valueName), type, std::move(data)});
}

bool RegistryNode::RemoveValue(std::string_view valueName)
{
    RegistryValue* value = FindValue(valueName);
    if (!value)
        return false;
    values.erase(values.begin() + (value - values.data()));
    return true;
}

std::vector<std::string> SplitKeyPath(std::string_view path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::size_t CountKeyPathParts(std::string_view path)
{
    std::size_t count = 0;
    bool inName = false;
    for (char c : path) {
        if (c == '\\') {
            inName = false;
        } else if (!inName) {
            inName = true;
            ++count;
        }
    }
    return count;
}

RegistryNode* FindKey(RegistryNode& root, const std::vector<std::string>& path)
{
    RegistryNode* key = &root;
    for (const std::string& name : path) {
        key = key->FindSubkey(name);
        if (!key)
            return nullptr;
    }
    return key;
}

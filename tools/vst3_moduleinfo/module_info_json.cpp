#include "tools/vst3_moduleinfo/module_info_json.h"

#include "vst3/uid.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// A fixed-size field read up to its terminator (or its end, if a factory left none).
template <size_t N>
std::string Field(const char (&text)[N]) {
    return std::string(text, std::find(text, text + N, '\0'));
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Flag(vst3::int32 flags, vst3::int32 bit) {
    return (flags & bit) != 0 ? "true" : "false";
}

// "Fx|Dynamics" as the list ["Fx", "Dynamics"].
std::string SubCategoryList(const std::string& joined) {
    std::string out = "[";
    size_t start = 0;
    while (start < joined.size()) {
        size_t end = joined.find('|', start);
        if (end == std::string::npos) {
            end = joined.size();
        }
        out += (out.size() > 1 ? ", " : "") + Quoted(joined.substr(start, end - start));
        start = end + 1;
    }
    return out + "]";
}

// "key": value at depth (two spaces each), with a comma unless it is its object's last member.
std::string Member(int depth, const std::string& key, const std::string& value, bool last = false) {
    return std::string(static_cast<size_t>(2 * depth), ' ') + Quoted(key) + ": " + value +
           (last ? "\n" : ",\n");
}

std::string ClassJson(const vst3::PClassInfo2& info) {
    vst3::Uid cid{};
    std::memcpy(cid.bytes, info.cid, sizeof cid.bytes);
    std::string out = "    {\n";
    out += Member(3, "CID", Quoted(vst3::UidText(cid)));
    out += Member(3, "Category", Quoted(Field(info.category)));
    out += Member(3, "Name", Quoted(Field(info.name)));
    out += Member(3, "Vendor", Quoted(Field(info.vendor)));
    out += Member(3, "Version", Quoted(Field(info.version)));
    out += Member(3, "SDKVersion", Quoted(Field(info.sdkVersion)));
    out += Member(3, "Sub Categories", SubCategoryList(Field(info.subCategories)));
    out += Member(3, "Class Flags", std::to_string(info.classFlags));
    out += Member(3, "Cardinality", std::to_string(info.cardinality));
    out += Member(3, "Snapshots", "[]", true);
    return out + "    }";
}

std::string FactoryJson(const vst3::PFactoryInfo& factory) {
    std::string flags = "{\n";
    flags += Member(3, "Unicode", Flag(factory.flags, vst3::PFactoryInfo::kUnicode));
    flags += Member(3, "Classes Discardable",
                    Flag(factory.flags, vst3::PFactoryInfo::kClassesDiscardable));
    flags += Member(3, "Component Non Discardable",
                    Flag(factory.flags, vst3::PFactoryInfo::kComponentNonDiscardable), true);
    std::string out = "{\n";
    out += Member(2, "Vendor", Quoted(Field(factory.vendor)));
    out += Member(2, "URL", Quoted(Field(factory.url)));
    out += Member(2, "E-Mail", Quoted(Field(factory.email)));
    out += Member(2, "Flags", flags + "    }", true);
    return out + "  }";
}

} // namespace

std::string ModuleInfoJson(const std::string& name, const vst3::PFactoryInfo& factory,
                           const std::vector<vst3::PClassInfo2>& classes) {
    std::string classList;
    for (const auto& info : classes) {
        classList += (classList.empty() ? "\n" : ",\n") + ClassJson(info);
    }
    std::string out = "{\n";
    out += Member(1, "Name", Quoted(name));
    out += Member(1, "Version", Quoted(classes.empty() ? "" : Field(classes[0].version)));
    out += Member(1, "Factory Info", FactoryJson(factory));
    out += Member(1, "Classes", "[" + classList + "\n  ]", true);
    return out + "}\n";
}

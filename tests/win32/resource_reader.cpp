#include "resource_reader.h"

#include <cstring>

std::string germanResource(const wchar_t* type, int id)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), germanLanguage);
    if (found == nullptr)
        return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return std::string(data, SizeofResource(module, found));
}

namespace {

// Reads the template's little-endian fields in order.
class TemplateReader {
public:
    explicit TemplateReader(std::string bytes) : data(std::move(bytes)) {}

    template <typename T>
    T take()
    {
        T value{};
        if (at + sizeof(T) <= data.size())
            std::memcpy(&value, data.data() + at, sizeof(T));
        at += sizeof(T);
        return value;
    }

    std::wstring text()
    {
        std::wstring out;
        for (wchar_t c = take<wchar_t>(); c != L'\0' && at <= data.size(); c = take<wchar_t>())
            out += c;
        return out;
    }

    // A name or an ordinal (0xFFFF then a number); ordinals of the predefined
    // control classes become their names.
    std::wstring nameOrOrdinal()
    {
        if (peek() != 0xFFFF)
            return text();
        take<WORD>();
        switch (take<WORD>()) {
        case 0x0080: return L"Button";
        case 0x0081: return L"Edit";
        case 0x0082: return L"Static";
        default: return L"#ordinal";
        }
    }

    void alignToDword() { at = (at + 3) & ~static_cast<std::size_t>(3); }

private:
    WORD peek()
    {
        WORD value = 0;
        if (at + 2 <= data.size())
            std::memcpy(&value, data.data() + at, 2);
        return value;
    }

    std::string data;
    std::size_t at = 0;
};

DialogItem readItem(TemplateReader& in)
{
    in.alignToDword();
    DialogItem item;
    in.take<DWORD>();  // help id
    in.take<DWORD>();  // extended style
    item.style = in.take<DWORD>();
    item.x = in.take<short>();
    item.y = in.take<short>();
    item.width = in.take<short>();
    item.height = in.take<short>();
    item.id = static_cast<int>(in.take<std::int32_t>());
    item.className = in.nameOrOrdinal();
    item.text = in.nameOrOrdinal();
    const WORD extra = in.take<WORD>();
    for (WORD i = 0; i < extra; ++i)
        in.take<BYTE>();
    return item;
}

}  // namespace

DialogTemplate dialogTemplate(int id)
{
    TemplateReader in(germanResource(RT_DIALOG, id));
    DialogTemplate dialog;
    const WORD version = in.take<WORD>();
    const WORD signature = in.take<WORD>();
    dialog.extended = version == 1 && signature == 0xFFFF;
    if (!dialog.extended)
        return dialog;
    in.take<DWORD>();  // help id
    in.take<DWORD>();  // extended style
    dialog.style = in.take<DWORD>();
    const WORD count = in.take<WORD>();
    in.take<short>();
    in.take<short>();
    dialog.width = in.take<short>();
    dialog.height = in.take<short>();
    in.nameOrOrdinal();  // menu
    in.nameOrOrdinal();  // class
    dialog.caption = in.text();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.take<WORD>();
        in.take<WORD>();  // weight
        in.take<BYTE>();  // italic
        in.take<BYTE>();  // character set
        dialog.font = in.text();
    }
    for (WORD i = 0; i < count; ++i)
        dialog.items.push_back(readItem(in));
    return dialog;
}

std::vector<IconImage> iconGroup(int id)
{
    // GRPICONDIR: reserved, type, count; then 14-byte entries.
    const std::string bytes = germanResource(RT_GROUP_ICON, id);
    std::vector<IconImage> images;
    if (bytes.size() < 6)
        return images;
    WORD count = 0;
    std::memcpy(&count, bytes.data() + 4, 2);
    for (std::size_t i = 0; i < count && 6 + 14 * (i + 1) <= bytes.size(); ++i) {
        const char* entry = bytes.data() + 6 + 14 * i;
        IconImage image;
        image.size = static_cast<unsigned char>(entry[0]);
        WORD bits = 0;
        std::memcpy(&bits, entry + 6, 2);
        image.bitsPerPixel = bits;
        images.push_back(image);
    }
    return images;
}

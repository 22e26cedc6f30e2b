#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>
#include <doctest/doctest.h>

#include <windows.h>
#include <commctrl.h>

#include "calendar/PayInfoDialogIds.h"
#include "com/ModuleInstance.h"

namespace {

const WORD EnglishUnitedKingdom = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);

// The bytes of a resource of this program, in the language the component's resources use.
std::pair<const BYTE*, DWORD> Resource(LPCSTR type, int id) {
    const HRSRC found =
        FindResourceExA(ModuleInstance(), type, MAKEINTRESOURCEA(id), EnglishUnitedKingdom);
    if (found == nullptr) {
        return {nullptr, 0};
    }
    const HGLOBAL loaded = LoadResource(ModuleInstance(), found);
    return {static_cast<const BYTE*>(LockResource(loaded)),
            SizeofResource(ModuleInstance(), found)};
}

// Reads a classic dialog template (DLGTEMPLATE and its DLGITEMTEMPLATEs) field by field.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : data_(data) {}

    DWORD Dword() {
        DWORD value = 0;
        std::memcpy(&value, data_ + offset_, sizeof value);
        offset_ += sizeof value;
        return value;
    }
    WORD Word() {
        WORD value = 0;
        std::memcpy(&value, data_ + offset_, sizeof value);
        offset_ += sizeof value;
        return value;
    }
    short Short() { return static_cast<short>(Word()); }
    // A NUL-terminated UTF-16 text of plain ASCII characters.
    std::string Text() {
        std::string text;
        for (WORD c = Word(); c != 0; c = Word()) {
            text += static_cast<char>(c);
        }
        return text;
    }
    // A name or, after 0xFFFF, an ordinal written as "#n".
    std::string NameOrOrdinal() {
        WORD first = 0;
        std::memcpy(&first, data_ + offset_, sizeof first);
        if (first == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignToDword() { offset_ = (offset_ + 3) & ~static_cast<size_t>(3); }

private:
    const BYTE* data_;
    size_t offset_ = 0;
};

struct ControlTemplate {
    int id;
    std::string windowClass;
    std::string text;
    short x, y, width, height;
    DWORD style;
};

std::vector<ControlTemplate> ReadControls(TemplateReader& reader, int count) {
    std::vector<ControlTemplate> controls;
    for (int i = 0; i < count; ++i) {
        reader.AlignToDword();
        ControlTemplate control{};
        control.style = reader.Dword();
        reader.Dword(); // extended style
        control.x = reader.Short();
        control.y = reader.Short();
        control.width = reader.Short();
        control.height = reader.Short();
        control.id = reader.Word();
        control.windowClass = reader.NameOrOrdinal();
        control.text = reader.NameOrOrdinal();
        const WORD extraBytes = reader.Word();
        for (WORD skipped = 0; skipped < extraBytes; skipped += 2) {
            reader.Word();
        }
        controls.push_back(control);
    }
    return controls;
}

// Window class names are compared in capitals, the predefined classes' atoms by name.
std::string ClassName(const std::string& nameOrOrdinal) {
    if (nameOrOrdinal == "#128") {
        return "BUTTON";
    }
    if (nameOrOrdinal == "#130") {
        return "STATIC";
    }
    std::string name = nameOrOrdinal;
    for (char& c : name) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

constexpr DWORD ChildVisible = WS_CHILD | WS_VISIBLE;
const char ButtonClass[] = "BUTTON";
const char StaticClass[] = "STATIC";

} // namespace

TEST_CASE("dialog 1001 holds every control of the payment format dialog, in tab order") {
    const auto [data, size] = Resource(RT_DIALOG, IDD_PAY_INFO);
    REQUIRE(data != nullptr);
    REQUIRE(size > 18);
    TemplateReader reader(data);

    const DWORD style = reader.Dword();
    REQUIRE(HIWORD(style) != 0xFFFF); // a classic template
    CHECK(style == (DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    reader.Dword();
    const int controlCount = reader.Word();
    reader.Short();
    reader.Short();
    CHECK(reader.Short() == 396);
    CHECK(reader.Short() == 130);
    CHECK(reader.NameOrOrdinal().empty()); // no menu
    CHECK(reader.NameOrOrdinal().empty()); // the standard dialog class
    CHECK(reader.Text() == "Velmora Northern Bank Payment Processing");
    CHECK(reader.Word() == 8);
    CHECK(reader.Text() == "MS Sans Serif");

    const std::vector<ControlTemplate> expected = {
        {IDC_FORMAT_GROUP, ButtonClass, "Payment Format", 9, 10, 379, 88,
         ChildVisible | BS_GROUPBOX},
        {IDC_DATE_LABEL, StaticClass,
         "Payment Processing Date (defaults to today/next banking day):", 24, 75, 230, 18,
         ChildVisible | SS_LEFT | WS_GROUP},
        {IDC_DATE_PICKER, "SYSDATETIMEPICK32", "DateTimePicker1", 256, 73, 70, 12,
         ChildVisible | WS_TABSTOP | DTS_RIGHTALIGN},
        {IDC_ONE_TO_ONE, ButtonClass, "&Payment 1 To 1 Format", 83, 54, 102, 10,
         ChildVisible | BS_AUTORADIOBUTTON},
        {IDC_BACS_ID, ButtonClass, "&Business eBanking BACS ID Format", 211, 52, 128, 15,
         ChildVisible | BS_AUTORADIOBUTTON | BS_MULTILINE},
        {IDC_FORMAT_NOTE, StaticClass,
         "Select the file format you wish to use to generate your payments.\r\n"
         "(Note: for Payment 1 To 1, you may specify a payment processing date).",
         13, 30, 361, 18, ChildVisible | SS_LEFT | WS_GROUP},
        {IDOK, ButtonClass, "&OK", 267, 105, 56, 14, ChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
        {IDCANCEL, ButtonClass, "&Cancel", 332, 105, 56, 14,
         ChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
    };
    REQUIRE(controlCount == static_cast<int>(expected.size()));
    const std::vector<ControlTemplate> controls = ReadControls(reader, controlCount);
    for (size_t i = 0; i < expected.size(); ++i) {
        INFO("control ", expected[i].id);
        CHECK(controls[i].id == expected[i].id);
        CHECK(ClassName(controls[i].windowClass) == expected[i].windowClass);
        CHECK(controls[i].text == expected[i].text);
        CHECK(controls[i].x == expected[i].x);
        CHECK(controls[i].y == expected[i].y);
        CHECK(controls[i].width == expected[i].width);
        CHECK(controls[i].height == expected[i].height);
        CHECK(controls[i].style == expected[i].style);
    }
}

TEST_CASE("icon 200 has six images: 16 and 32 pixels at 4, 8 and 24 bits") {
    const auto [group, groupSize] = Resource(RT_GROUP_ICON, IDI_PAYMENT);
    REQUIRE(group != nullptr);
    TemplateReader reader(group);
    CHECK(reader.Word() == 0);
    CHECK(reader.Word() == 1); // icons, not cursors
    const int count = reader.Word();
    REQUIRE(count == 6);
    REQUIRE(groupSize == 6 + 14u * count);

    std::set<std::pair<int, int>> sizesAndDepths;
    for (int i = 0; i < count; ++i) {
        const WORD widthAndHeight = reader.Word();
        reader.Word();             // colour count, reserved
        CHECK(reader.Word() == 1); // planes
        const int bits = reader.Word();
        const DWORD bytes = reader.Dword();
        const int imageId = reader.Word();
        const int side = LOBYTE(widthAndHeight);
        CHECK(HIBYTE(widthAndHeight) == side);
        sizesAndDepths.insert({side, bits});

        INFO("image of ", side, " pixels at ", bits, " bits");
        const auto [image, imageSize] = Resource(RT_ICON, imageId);
        REQUIRE(image != nullptr);
        CHECK(imageSize == bytes);
        BITMAPINFOHEADER header{};
        std::memcpy(&header, image, sizeof header);
        CHECK(header.biWidth == side);
        CHECK(header.biHeight == 2 * side); // colour bits and mask
        CHECK(header.biBitCount == bits);

        const HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image), imageSize, TRUE,
                                                    0x00030000, side, side, LR_DEFAULTCOLOR);
        CHECK(icon != nullptr);
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
    const std::set<std::pair<int, int>> expected = {{16, 4}, {16, 8}, {16, 24},
                                                    {32, 4}, {32, 8}, {32, 24}};
    CHECK(sizesAndDepths == expected);
}

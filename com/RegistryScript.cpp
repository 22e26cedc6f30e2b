#include "com/RegistryScript.h"

#include <cwctype>

namespace {

struct Token {
    std::wstring text;
    bool quoted = false;

    bool Is(const wchar_t* word) const { return !quoted && _wcsicmp(text.c_str(), word) == 0; }
};

[[noreturn]] void RaiseSyntaxError() {
    throw static_cast<long>(RegistryScriptSyntaxError);
}

class ScriptReader {
public:
    ScriptReader(const std::wstring& text, const std::vector<ScriptReplacement>& replacements)
        : text_(text), replacements_(replacements) {}

    bool AtEnd() {
        SkipSpace();
        return position_ == text_.size();
    }

    Token Next() {
        SkipSpace();
        if (position_ == text_.size()) {
            RaiseSyntaxError();
        }
        Token token;
        if (text_[position_] == L'\'') {
            token.quoted = true;
            token.text = Expand(ReadQuoted());
        } else {
            size_t start = position_;
            while (position_ < text_.size() && !std::iswspace(text_[position_])) {
                ++position_;
            }
            token.text = Expand(text_.substr(start, position_ - start));
        }
        return token;
    }

    // True, and the token consumed, when the next token is the given punctuation or keyword.
    bool Accept(const wchar_t* word) {
        size_t saved = position_;
        if (!AtEnd() && Next().Is(word)) {
            return true;
        }
        position_ = saved;
        return false;
    }

    void Expect(const wchar_t* word) {
        if (!Next().Is(word)) {
            RaiseSyntaxError();
        }
    }

private:
    void SkipSpace() {
        while (position_ < text_.size() && std::iswspace(text_[position_])) {
            ++position_;
        }
    }

    std::wstring ReadQuoted() {
        std::wstring result;
        ++position_;
        for (;;) {
            if (position_ == text_.size()) {
                RaiseSyntaxError();
            }
            wchar_t c = text_[position_++];
            if (c != L'\'') {
                result += c;
            } else if (position_ < text_.size() && text_[position_] == L'\'') {
                result += L'\'';
                ++position_;
            } else {
                return result;
            }
        }
    }

    // Replacements are made inside a token, after its quotes are read, so that a replacement
    // text holding a quote or a brace (a folder name may) is taken as it is.
    std::wstring Expand(const std::wstring& raw) const {
        std::wstring result;
        size_t at = 0;
        for (;;) {
            size_t open = raw.find(L'%', at);
            if (open == std::wstring::npos) {
                return result + raw.substr(at);
            }
            size_t close = raw.find(L'%', open + 1);
            if (close == std::wstring::npos) {
                RaiseSyntaxError();
            }
            result += raw.substr(at, open - at);
            result += Replacement(raw.substr(open + 1, close - open - 1));
            at = close + 1;
        }
    }

    std::wstring Replacement(const std::wstring& name) const {
        if (name.empty()) {
            return L"%";
        }
        for (const ScriptReplacement& replacement : replacements_) {
            if (_wcsicmp(replacement.name.c_str(), name.c_str()) == 0) {
                return replacement.value;
            }
        }
        RaiseSyntaxError();
    }

    const std::wstring& text_;
    const std::vector<ScriptReplacement>& replacements_;
    size_t position_ = 0;
};

HKEY RootKey(const Token& name) {
    static const struct {
        const wchar_t* shortName;
        const wchar_t* longName;
        HKEY key;
    } roots[] = {
        {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {L"HKU", L"HKEY_USERS", HKEY_USERS},
    };
    for (const auto& root : roots) {
        if (name.Is(root.shortName) || name.Is(root.longName)) {
            return root.key;
        }
    }
    RaiseSyntaxError();
}

bool IsPunctuation(const Token& token) {
    return token.Is(L"{") || token.Is(L"}") || token.Is(L"=");
}

Token ReadName(ScriptReader& reader) {
    Token name = reader.Next();
    if (IsPunctuation(name) || name.text.empty()) {
        RaiseSyntaxError();
    }
    return name;
}

RegistryValue ReadValue(ScriptReader& reader) {
    Token kind = reader.Next();
    std::wstring text = reader.Next().text;
    RegistryValue value;
    if (kind.Is(L"s")) {
        value.kind = RegistryValue::Kind::Text;
        value.text = text;
    } else if (kind.Is(L"d")) {
        wchar_t* end = nullptr;
        value.kind = RegistryValue::Kind::Number;
        value.number = static_cast<DWORD>(wcstoul(text.c_str(), &end, 0));
        if (text.empty() || *end != L'\0') {
            RaiseSyntaxError();
        }
    } else {
        RaiseSyntaxError();
    }
    return value;
}

RegistryKey ReadKey(ScriptReader& reader);

// The keys and values inside a key's braces, the opening brace already read.
void ReadKeyBody(ScriptReader& reader, RegistryKey& key) {
    while (!reader.Accept(L"}")) {
        if (reader.Accept(L"val")) {
            RegistryNamedValue named;
            named.name = ReadName(reader).text;
            reader.Expect(L"=");
            named.value = ReadValue(reader);
            key.values.push_back(std::move(named));
        } else {
            key.subkeys.push_back(ReadKey(reader));
        }
    }
}

RegistryKey ReadKey(ScriptReader& reader) {
    RegistryKey key;
    for (;;) {
        if (reader.Accept(L"NoRemove")) {
            key.noRemove = true;
        } else if (reader.Accept(L"ForceRemove")) {
            key.forceRemove = true;
        } else {
            break;
        }
    }
    key.name = ReadName(reader).text;
    if (reader.Accept(L"=")) {
        key.defaultValue = ReadValue(reader);
    }
    if (reader.Accept(L"{")) {
        ReadKeyBody(reader, key);
    }
    return key;
}

} // namespace

std::vector<RegistryRoot> ParseRegistryScript(const std::wstring& text,
                                              const std::vector<ScriptReplacement>& replacements) {
    ScriptReader reader(text, replacements);
    std::vector<RegistryRoot> roots;
    while (!reader.AtEnd()) {
        RegistryRoot root{RootKey(reader.Next()), {}};
        reader.Expect(L"{");
        while (!reader.Accept(L"}")) {
            root.subkeys.push_back(ReadKey(reader));
        }
        roots.push_back(std::move(root));
    }
    return roots;
}

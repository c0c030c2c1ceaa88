#pragma once

#include <cctype>
#include <string>
#include <vector>

// Enough of XML to tell a well-formed SVG document from a broken one: one
// root element, matched tags, quoted attributes, known entities. Returns an
// empty string when the text is well formed, else what is wrong.
inline std::string XmlProblem(const std::string& text)
{
    std::vector<std::string> open;
    bool rootSeen = false;
    std::size_t i = 0;
    auto entityAt = [&text](std::size_t at)
    {
        const std::size_t end = text.find(';', at);
        if (end == std::string::npos)
            return false;
        const std::string name = text.substr(at + 1, end - at - 1);
        return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos" ||
               (!name.empty() && name[0] == '#');
    };
    while (i < text.size())
    {
        if (text[i] != '<')
        {
            if (text[i] == '&' && !entityAt(i))
                return "bad entity at " + std::to_string(i);
            if (open.empty() && !std::isspace(static_cast<unsigned char>(text[i])))
                return "text outside the root at " + std::to_string(i);
            ++i;
            continue;
        }
        if (text.compare(i, 4, "<!--") == 0)
        {
            const std::size_t end = text.find("-->", i);
            if (end == std::string::npos)
                return "unclosed comment";
            i = end + 3;
            continue;
        }
        if (text.compare(i, 2, "<?") == 0)
        {
            const std::size_t end = text.find("?>", i);
            if (end == std::string::npos)
                return "unclosed declaration";
            i = end + 2;
            continue;
        }
        const bool closing = text.compare(i, 2, "</") == 0;
        std::size_t j = i + (closing ? 2 : 1);
        const std::size_t nameStart = j;
        while (j < text.size() && (std::isalnum(static_cast<unsigned char>(text[j])) || text[j] == '-' ||
                                   text[j] == ':' || text[j] == '_'))
            ++j;
        const std::string name = text.substr(nameStart, j - nameStart);
        if (name.empty())
            return "tag without a name at " + std::to_string(i);
        bool selfClosing = false;
        for (;;)
        {
            while (j < text.size() && std::isspace(static_cast<unsigned char>(text[j])))
                ++j;
            if (j >= text.size())
                return "unclosed tag " + name;
            if (text[j] == '>')
                break;
            if (text.compare(j, 2, "/>") == 0 && !closing)
            {
                selfClosing = true;
                ++j;
                break;
            }
            if (closing)
                return "attribute in closing tag " + name;
            const std::size_t attributeStart = j;
            while (j < text.size() && text[j] != '=' && !std::isspace(static_cast<unsigned char>(text[j])) &&
                   text[j] != '>')
                ++j;
            if (j == attributeStart || j >= text.size() || text[j] != '=' || j + 1 >= text.size() ||
                (text[j + 1] != '"' && text[j + 1] != '\''))
                return "unquoted or malformed attribute in " + name;
            const char quote = text[j + 1];
            const std::size_t end = text.find(quote, j + 2);
            if (end == std::string::npos)
                return "unclosed attribute value in " + name;
            for (std::size_t k = j + 2; k < end; ++k)
                if (text[k] == '<' || (text[k] == '&' && !entityAt(k)))
                    return "bad character in an attribute of " + name;
            j = end + 1;
        }
        i = j + 1;
        if (closing)
        {
            if (open.empty() || open.back() != name)
                return "mismatched closing tag " + name;
            open.pop_back();
        }
        else if (!selfClosing || open.empty())
        {
            if (open.empty() && rootSeen)
                return "a second root element " + name;
            rootSeen = true;
            if (!selfClosing)
                open.push_back(name);
        }
    }
    if (!open.empty())
        return "unclosed element " + open.back();
    return rootSeen ? "" : "no root element";
}

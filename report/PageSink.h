// Where a page's lines go as they are made, so that a page never has to be held whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class IPageSink
{
public:
    virtual ~IPageSink() = default;
    // Appends line and a "\n"; false once the page can no longer be written.
    virtual bool WriteLine(const std::string& line) = 0;
    // Appends text made of whole lines, each ending in "\n"; false as WriteLine. Sinks that
    // keep the page as text take it in one piece; others get it line by line.
    virtual bool WriteLines(std::string_view text)
    {
        std::string line;
        while (!text.empty())
        {
            const size_t end = text.find('\n');
            line.assign(text.substr(0, end));
            if (!WriteLine(line))
                return false;
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        return true;
    }
    // True after a write failed: the rest of the page is not worth making.
    virtual bool Failed() const { return false; }
};

// The page as one string.
class CStringPageSink : public IPageSink
{
public:
    explicit CStringPageSink(std::string& page) : m_page(page) {}
    bool WriteLine(const std::string& line) override
    {
        m_page += line;
        m_page += '\n';
        return true;
    }
    bool WriteLines(std::string_view text) override
    {
        m_page += text;
        return true;
    }

private:
    std::string& m_page;
};

// The page as its lines.
class CLinesPageSink : public IPageSink
{
public:
    explicit CLinesPageSink(std::vector<std::string>& lines) : m_lines(lines) {}
    bool WriteLine(const std::string& line) override
    {
        m_lines.push_back(line);
        return true;
    }

private:
    std::vector<std::string>& m_lines;
};

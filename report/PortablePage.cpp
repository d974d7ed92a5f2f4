// A page's local pictures named plainly, for a copy of the page that goes elsewhere.
#include "report/PortablePage.h"

#include "report/PageFile.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace fs = std::filesystem;

namespace
{
// The attributes through which a page shows a picture.
constexpr std::string_view kPictureAttributes[] = {"src", "background"};

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) {
                                                  return std::tolower(static_cast<unsigned char>(x)) ==
                                                         std::tolower(static_cast<unsigned char>(y));
                                              });
}

// An attribute's value as text: the escapes the page's values are written with undone.
std::string UnescapeHtml(std::string_view value)
{
    static const std::pair<std::string_view, char> kEntities[] = {{"&amp;", '&'},  {"&lt;", '<'},   {"&gt;", '>'},
                                                                  {"&quot;", '"'}, {"&#39;", '\''}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < value.size();)
    {
        bool matched = false;
        if (value[i] == '&')
            for (const auto& [entity, c] : kEntities)
                if (value.substr(i, entity.size()) == entity)
                {
                    out += c;
                    i += entity.size();
                    matched = true;
                    break;
                }
        if (!matched)
            out += value[i++];
    }
    return out;
}

std::string PercentDecode(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2])))
        {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        }
        else
            out += text[i];
    }
    return out;
}

// The file a value names on this machine: a full path, or a file: URL without a host; "" for
// anything else (a relative name, a web address).
std::string LocalPathOf(std::string_view value)
{
    const std::string text = UnescapeHtml(value);
    if (!text.empty() && text[0] == '/')
        return text;
    if (!EqualsNoCase(std::string_view(text).substr(0, 5), "file:"))
        return "";
    std::string_view rest = std::string_view(text).substr(5);
    if (rest.substr(0, 2) == "//")
    {
        rest.remove_prefix(2);
        if (rest.substr(0, 9) == "localhost")
            rest.remove_prefix(9);
    }
    return !rest.empty() && rest[0] == '/' ? PercentDecode(rest) : "";
}

// A file name that needs neither escaping in the page nor encoding in a URL.
std::string SafeName(const std::string& name)
{
    std::string out = name;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f ||
            std::string_view("\"'<>&#?%\\ ").find(c) != std::string_view::npos)
            c = '_';
    return out.empty() || out == "." || out == ".." ? "picture" : out;
}

// Whether two regular files hold the same bytes.
bool SameBytes(IFileSystem& files, const fs::path& a, const fs::path& b)
{
    CFsHandle ha(files, files.OpenRead(a)), hb(files, files.OpenRead(b));
    FILESTAT sa, sb;
    if (!ha.IsOpen() || !hb.IsOpen() || !files.Stat(ha.Get(), sa) || !files.Stat(hb.Get(), sb) || sa.nSize != sb.nSize)
        return false;
    std::string ba(64 * 1024, '\0'), bb(ba.size(), '\0');
    for (uint64_t at = 0; at < sa.nSize;)
    {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(ba.size(), sa.nSize - at));
        if (!ReadExactly(files, ha.Get(), at, ba.data(), n) || !ReadExactly(files, hb.Get(), at, bb.data(), n) ||
            ba.compare(0, n, bb, 0, n) != 0)
            return false;
        at += n;
    }
    return true;
}
} // namespace

CPortablePage::CPortablePage(IFileSystem& fs, NameCheck isFree) : m_fs(fs), m_isFree(std::move(isFree)) {}

std::string CPortablePage::NameFor(const fs::path& source)
{
    for (const PAGEPICTURE& picture : m_pictures)
        if (picture.source == source)
            return picture.strName;
    const std::string base = SafeName(source.filename().string());
    const size_t dot = base.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
    const std::string ext = dot == std::string::npos || dot == 0 ? "" : base.substr(dot);
    for (int n = 1; n < 1000; ++n)
    {
        const std::string name = n == 1 ? base : stem + "-" + std::to_string(n) + ext;
        const bool taken = std::any_of(m_pictures.begin(), m_pictures.end(),
                                       [&name](const PAGEPICTURE& picture) { return picture.strName == name; });
        if (!taken && m_isFree(name, source))
        {
            m_pictures.push_back({source, name});
            return name;
        }
    }
    return "";
}

void CPortablePage::RewriteLine(std::string& line)
{
    // Each '=' is looked at once (a row of the table has a few); only those that end a whole
    // src or background attribute name ("datasrc=" is another attribute) lead to a value.
    for (size_t eq = line.find('='); eq != std::string::npos; eq = line.find('=', eq + 1))
    {
        const bool picture =
            std::any_of(std::begin(kPictureAttributes), std::end(kPictureAttributes),
                        [&line, eq](std::string_view name)
                        {
                            return eq > name.size() &&
                                   std::isspace(static_cast<unsigned char>(line[eq - name.size() - 1])) &&
                                   EqualsNoCase(std::string_view(line).substr(eq - name.size(), name.size()), name);
                        });
        size_t begin = eq + 1;
        if (!picture || begin >= line.size())
            continue;
        size_t end;
        if (line[begin] == '"' || line[begin] == '\'')
        {
            end = line.find(line[begin], begin + 1);
            ++begin;
            if (end == std::string::npos)
                return;
        }
        else
            end = std::min(line.find_first_of(" \t>", begin), line.size());
        // The search goes on after the value, whose own '=' (a web address's query) are no attributes.
        const std::string path = LocalPathOf(std::string_view(line).substr(begin, end - begin));
        FILESTAT stat;
        const std::string name = path.empty() || !m_fs.StatPath(path, stat) || !stat.bRegular ? "" : NameFor(path);
        if (!name.empty())
        {
            line.replace(begin, end - begin, name);
            end = begin + name.size();
        }
        eq = end;
    }
}

int CPortablePage::Copy(const fs::path& page, IPageSink& sink)
{
    m_nError = 0;
    CFsHandle in(m_fs, m_fs.OpenRead(page));
    if (!in.IsOpen())
    {
        m_nError = m_fs.LastError();
        return 0;
    }
    // The page is read in blocks and written in batches of whole lines, never held whole.
    std::string block(256 * 1024, '\0'), pending, batch, line;
    uint64_t offset = 0;
    for (;;)
    {
        size_t got = 0;
        if (!m_fs.ReadAt(in.Get(), offset, block.data(), block.size(), got))
        {
            m_nError = m_fs.LastError();
            return 0;
        }
        offset += got;
        pending.append(block, 0, got);
        size_t from = 0;
        for (size_t nl = pending.find('\n'); nl != std::string::npos; nl = pending.find('\n', from))
        {
            line.assign(pending, from, nl - from);
            RewriteLine(line);
            batch += line;
            batch += '\n';
            from = nl + 1;
        }
        pending.erase(0, from);
        if (got == 0 && !pending.empty())
        {
            RewriteLine(pending);
            batch += pending;
            batch += '\n';
            pending.clear();
        }
        if ((got == 0 || batch.size() >= block.size()) && !batch.empty())
        {
            if (!sink.WriteLines(batch) || sink.Failed())
                return 0;
            batch.clear();
        }
        if (got == 0)
            return 1;
    }
}

PORTABLESAVE SavePortablePage(IFileSystem& files, const fs::path& page, const fs::path& target, std::string& detail)
{
    const fs::path dir = target.parent_path();
    const std::string targetName = target.filename().string();
    // A name beside the page is free when nothing has it, or when what has it is the picture
    // itself or a copy of it (saved there before): the user's other files are never replaced.
    CPortablePage portable(files,
                           [&](const std::string& name, const fs::path& source)
                           {
                               if (name == targetName)
                                   return false;
                               FILESTAT stat;
                               const fs::path there = dir / name;
                               if (!files.StatPath(there, stat, false))
                                   return files.LastError() == ENOENT;
                               return stat.bRegular && !stat.bLink &&
                                      (IsSameFile(files, there, source) || SameBytes(files, there, source));
                           });
    CPageFile copy(files);
    if (!copy.Open(target))
    {
        detail = FileErrorDetail(target, copy.Error());
        return SavePageFailed;
    }
    if (!portable.Copy(page, copy))
    {
        detail = portable.Error() ? FileErrorDetail(page, portable.Error()) : FileErrorDetail(target, copy.Error());
        return SavePageFailed;
    }
    // The pictures go first, so that the page is in place only with everything it shows.
    std::vector<fs::path> made;
    auto undo = [&]
    {
        for (const fs::path& path : made)
            files.Remove(path);
    };
    for (const PAGEPICTURE& picture : portable.Pictures())
    {
        const fs::path there = dir / picture.strName;
        FILESTAT stat;
        if (files.StatPath(there, stat, false))
            continue;
        if (!CopyFileReplacing(files, picture.source, there))
        {
            detail = FileErrorDetail(there, files.LastError());
            undo();
            return SavePictureFailed;
        }
        made.push_back(there);
    }
    if (!copy.Commit())
    {
        detail = FileErrorDetail(target, copy.Error());
        undo();
        return SavePageFailed;
    }
    return SaveDone;
}

// Small readers of the instrument-definition formats, for tests: each takes a written file
// back to the programs a sequencer would offer (list, program, variation, name), the way the
// sequencer finds them: bank selects, drum marks, channel 10.
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/valid.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

struct READPATCH
{
    bool bDrum;
    int nProgram;
    int nVariation;
    std::string strName;
    bool operator<(const READPATCH& o) const
    {
        return std::tie(bDrum, nVariation, nProgram, strName) < std::tie(o.bDrum, o.nVariation, o.nProgram, o.strName);
    }
    bool operator==(const READPATCH& o) const
    {
        return std::tie(bDrum, nProgram, nVariation, strName) == std::tie(o.bDrum, o.nProgram, o.nVariation, o.strName);
    }
};

inline std::ostream& operator<<(std::ostream& out, const READPATCH& p)
{
    return out << (p.bDrum ? "drum " : "inst ") << p.nProgram << "/" << p.nVariation << " \"" << p.strName << "\"";
}

inline std::vector<READPATCH> Sorted(std::vector<READPATCH> patches)
{
    std::sort(patches.begin(), patches.end());
    return patches;
}

// The text's lines without their CR LF or LF ends.
inline std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// --- MIDI Name Document -----------------------------------------------------------------------

inline std::string XmlAttr(xmlNodePtr node, const char* name)
{
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

inline std::vector<xmlNodePtr> XmlChildren(xmlNodePtr node, const char* name)
{
    std::vector<xmlNodePtr> found;
    for (xmlNodePtr child = node ? node->children : nullptr; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE && xmlStrEqual(child->name, reinterpret_cast<const xmlChar*>(name)))
            found.push_back(child);
    return found;
}

struct MIDNAMREAD
{
    bool bWellFormed = false;
    bool bValid = false; // against the DTD given, when one is
    std::string strModel;
    std::vector<READPATCH> patches;
};

// Reads the patches a sequencer offers on channel 1 (instruments) and channel 10 (drum sets):
// the name set each channel is assigned, each patch bank's CC 0 / CC 32, each patch's program.
inline MIDNAMREAD ReadMidnam(const std::string& text, const std::string& dtd = std::string())
{
    MIDNAMREAD read;
    xmlDocPtr doc =
        xmlReadMemory(text.data(), static_cast<int>(text.size()), "export.midnam", nullptr, XML_PARSE_NONET);
    if (!doc)
        return read;
    read.bWellFormed = true;
    if (!dtd.empty())
    {
        xmlParserInputBufferPtr input =
            xmlParserInputBufferCreateMem(dtd.data(), static_cast<int>(dtd.size()), XML_CHAR_ENCODING_UTF8);
        xmlDtdPtr parsed = xmlIOParseDTD(nullptr, input, XML_CHAR_ENCODING_UTF8);
        xmlValidCtxtPtr valid = xmlNewValidCtxt();
        read.bValid = parsed && valid && xmlValidateDtd(valid, doc, parsed) == 1;
        xmlFreeValidCtxt(valid);
        xmlFreeDtd(parsed);
    }
    xmlNodePtr root = xmlDocGetRootElement(doc);
    for (xmlNodePtr device : XmlChildren(root, "MasterDeviceNames"))
    {
        for (xmlNodePtr model : XmlChildren(device, "Model"))
        {
            xmlChar* content = xmlNodeGetContent(model);
            read.strModel = reinterpret_cast<const char*>(content);
            xmlFree(content);
        }
        std::map<std::string, std::string> assigned; // channel -> name set
        for (xmlNodePtr mode : XmlChildren(device, "CustomDeviceMode"))
            for (xmlNodePtr list : XmlChildren(mode, "ChannelNameSetAssignments"))
                for (xmlNodePtr assign : XmlChildren(list, "ChannelNameSetAssign"))
                    assigned[XmlAttr(assign, "Channel")] = XmlAttr(assign, "NameSet");
        for (xmlNodePtr set : XmlChildren(device, "ChannelNameSet"))
        {
            const std::string name = XmlAttr(set, "Name");
            const bool onDrumChannel = assigned["10"] == name, onChannelOne = assigned["1"] == name;
            if (!onDrumChannel && !onChannelOne)
                continue;
            for (xmlNodePtr bank : XmlChildren(set, "PatchBank"))
            {
                int msb = -1, lsb = -1;
                for (xmlNodePtr commands : XmlChildren(bank, "MIDICommands"))
                    for (xmlNodePtr cc : XmlChildren(commands, "ControlChange"))
                        (XmlAttr(cc, "Control") == "0" ? msb : lsb) = std::stoi(XmlAttr(cc, "Value"));
                if (lsb != 0)
                    continue;
                for (xmlNodePtr list : XmlChildren(bank, "PatchNameList"))
                    for (xmlNodePtr patch : XmlChildren(list, "Patch"))
                        read.patches.push_back(
                            {onDrumChannel, std::stoi(XmlAttr(patch, "ProgramChange")), msb, XmlAttr(patch, "Name")});
            }
        }
    }
    xmlFreeDoc(doc);
    return read;
}

// --- Cakewalk .ins ---------------------------------------------------------------------------

// Every patch of every instrument definition: the bank number's MSB is the variation (LSB 0
// only), a Drum[bank,program]=1 mark makes it a drum patch.
inline std::vector<READPATCH> ReadIns(const std::string& text, std::vector<std::string>* instruments = nullptr)
{
    std::map<std::string, std::map<int, std::string>> lists;
    std::string section, part;
    struct DEF
    {
        std::map<int, std::string> banks;
        std::map<std::pair<int, int>, bool> drums;
    };
    std::map<std::string, DEF> defs;
    for (const std::string& line : TextLines(text))
    {
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '.')
        {
            part = line;
            continue;
        }
        if (line[0] == '[')
        {
            section = line.substr(1, line.rfind(']') - 1);
            if (part == ".Instrument Definitions")
                defs[section];
            continue;
        }
        const size_t eq = line.find('=');
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (part == ".Patch Names")
            lists[section][std::stoi(key)] = value;
        else if (part == ".Instrument Definitions" && key.rfind("Patch[", 0) == 0)
            defs[section].banks[std::stoi(key.substr(6))] = value;
        else if (part == ".Instrument Definitions" && key.rfind("Drum[", 0) == 0)
        {
            const int bank = std::stoi(key.substr(5));
            const int program = std::stoi(key.substr(key.find(',') + 1));
            defs[section].drums[{bank, program}] = value == "1";
        }
    }
    std::vector<READPATCH> patches;
    for (const auto& [name, def] : defs)
    {
        if (instruments)
            instruments->push_back(name);
        for (const auto& [bank, list] : def.banks)
            for (const auto& [program, patch] : lists[list])
                if (bank % 128 == 0)
                    patches.push_back({def.drums.count({bank, program}) > 0 && def.drums.at({bank, program}), program,
                                       bank / 128, patch});
    }
    return patches;
}

// --- REAPER bank ------------------------------------------------------------------------------

// "Bank MSB LSB Name" then "PROGRAM Name" lines; a bank whose name says "Drum" is a drum bank.
inline std::vector<READPATCH> ReadReabank(const std::string& text)
{
    std::vector<READPATCH> patches;
    int msb = -1, lsb = -1;
    bool drum = false;
    for (const std::string& line : TextLines(text))
    {
        if (line.empty() || line.rfind("//", 0) == 0)
            continue;
        std::istringstream in(line);
        std::string first;
        in >> first;
        if (first == "Bank")
        {
            std::string name;
            in >> msb >> lsb;
            std::getline(in >> std::ws, name);
            drum = name.find("Drum") != std::string::npos;
            continue;
        }
        std::string name;
        std::getline(in >> std::ws, name);
        if (lsb == 0)
            patches.push_back({drum, std::stoi(first), msb, name});
    }
    return patches;
}

// --- Cubase patch-name script -----------------------------------------------------------------

// "[g1]\tGroup" then "[p2, PROGRAM, MSB, LSB]\tName"; patches of the group "Drum sets" are drums.
inline std::vector<READPATCH> ReadCubase(const std::string& text, bool* framed = nullptr)
{
    std::vector<READPATCH> patches;
    const std::vector<std::string> lines = TextLines(text);
    if (framed)
        *framed = !lines.empty() && lines.front() == "[cubase parse file]" &&
                  std::find(lines.begin(), lines.end(), "[define patchnames]") != lines.end() &&
                  std::find(lines.begin(), lines.end(), "[end]") != lines.end();
    bool drum = false;
    for (const std::string& line : lines)
    {
        if (line.rfind("[g1]", 0) == 0)
            drum = line.substr(line.find_first_not_of(" \t", 4)) == "Drum sets";
        else if (line.rfind("[p2,", 0) == 0)
        {
            int program = 0, msb = 0, lsb = 0;
            std::sscanf(line.c_str(), "[p2, %d, %d, %d]", &program, &msb, &lsb);
            const size_t name = line.find_first_not_of(" \t", line.find(']') + 1);
            if (lsb == 0)
                patches.push_back({drum, program, msb, name == std::string::npos ? "" : line.substr(name)});
        }
    }
    return patches;
}

// --- CSV ----------------------------------------------------------------------------------------

// RFC 4180 records.
inline std::vector<std::vector<std::string>> ReadCsvRecords(const std::string& text)
{
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        std::string& field = records.back().back();
        if (quoted)
        {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                field += c;
        }
        else if (c == '"')
            quoted = true;
        else if (c == ',')
            records.back().emplace_back();
        else if (c == '\n')
            records.emplace_back(1);
        else if (c != '\r')
            field += c;
    }
    if (records.back().size() == 1 && records.back()[0].empty())
        records.pop_back();
    return records;
}

// The rows after the header "list,program,variation,msb,lsb,name,bank", read by their MSB and LSB.
inline std::vector<READPATCH> ReadInstrDefCsv(const std::string& text)
{
    std::vector<READPATCH> patches;
    const auto records = ReadCsvRecords(text);
    for (size_t i = 1; i < records.size(); ++i)
        if (records[i].size() == 7 && records[i][4] == "0")
            patches.push_back(
                {records[i][0] == "drumset", std::stoi(records[i][1]), std::stoi(records[i][3]), records[i][5]});
    return patches;
}

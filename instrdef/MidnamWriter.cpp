// The MIDI Name Document: one master device whose channel 10 uses the drum-set name set and
// whose other channels use the instrument one; each name set holds a patch bank per variation,
// selected by CC 0 = variation and CC 32 = 0. Written through libxml2's text writer, so every
// name is escaped as XML wants it; element order follows the MIDINameDocument 1.0 DTD.
#include "instrdef/InstrDefFormat.h"

#include <libxml/xmlwriter.h>

#include <memory>

namespace
{
const char* const kPublicId = "-//MIDI Manufacturers Association//DTD MIDINameDocument 1.0//EN";
const char* const kSystemId = "http://www.midi.org/dtds/MIDINameDocument10.dtd";
constexpr int kDrumChannel = 10;

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

// The calls of one document; the first failure sticks, later calls do nothing.
class CXmlOut
{
public:
    explicit CXmlOut(xmlTextWriterPtr writer) : m_writer(writer) {}
    void Start(const char* name) { Check(xmlTextWriterStartElement(m_writer, X(name))); }
    void End() { Check(xmlTextWriterEndElement(m_writer)); }
    void Attribute(const char* name, const std::string& value)
    {
        Check(xmlTextWriterWriteAttribute(m_writer, X(name), X(value.c_str())));
    }
    void Element(const char* name, const std::string& text)
    {
        Check(xmlTextWriterWriteElement(m_writer, X(name), X(text.c_str())));
    }
    void Check(int result) { m_bOk = m_bOk && result >= 0; }
    bool Ok() const { return m_bOk; }

private:
    xmlTextWriterPtr m_writer;
    bool m_bOk = true;
};

const char* NameSet(bool drumset)
{
    return drumset ? "Drum sets" : "Instruments";
}

void WriteChannels(CXmlOut& xml, bool drumset)
{
    xml.Start("AvailableForChannels");
    for (int channel = 1; channel <= 16; ++channel)
    {
        xml.Start("AvailableChannel");
        xml.Attribute("Channel", std::to_string(channel));
        xml.Attribute("Available", (channel == kDrumChannel) == drumset ? "true" : "false");
        xml.End();
    }
    xml.End();
}

void WriteBankSelect(CXmlOut& xml, int variation)
{
    xml.Start("MIDICommands");
    for (const auto& [control, value] : {std::pair{0, variation}, std::pair{32, 0}})
    {
        xml.Start("ControlChange");
        xml.Attribute("Control", std::to_string(control));
        xml.Attribute("Value", std::to_string(value));
        xml.End();
    }
    xml.End();
}

// One name set: a patch bank per variation that has rows, or a single empty one for variation 0
// (a name set holds at least one bank).
void WriteNameSet(CXmlOut& xml, bool drumset, const INSTRDEFROW* first, const INSTRDEFROW* end)
{
    xml.Start("ChannelNameSet");
    xml.Attribute("Name", NameSet(drumset));
    WriteChannels(xml, drumset);
    const INSTRDEFROW* row = first;
    do
    {
        const int variation = row != end ? row->byVariation : 0;
        const std::string bank =
            std::string(drumset ? "Drum sets" : "Instruments") + " variation " + std::to_string(variation);
        xml.Start("PatchBank");
        xml.Attribute("Name", bank);
        WriteBankSelect(xml, variation);
        xml.Start("PatchNameList");
        xml.Attribute("Name", bank);
        for (; row != end && row->byVariation == variation; ++row)
        {
            xml.Start("Patch");
            xml.Attribute("Number", std::to_string(row->wProgram + 1));
            xml.Attribute("Name", row->strName);
            xml.Attribute("ProgramChange", std::to_string(row->wProgram));
            xml.End();
        }
        xml.End();
        xml.End();
    } while (row != end && xml.Ok());
    xml.End();
}
} // namespace

bool WriteMidnam(const std::string& device, const std::vector<INSTRDEFROW>& rows, std::string& out)
{
    std::unique_ptr<xmlBuffer, void (*)(xmlBufferPtr)> buffer(xmlBufferCreate(), xmlBufferFree);
    if (!buffer)
        return false;
    std::unique_ptr<xmlTextWriter, void (*)(xmlTextWriterPtr)> writer(xmlNewTextWriterMemory(buffer.get(), 0),
                                                                      xmlFreeTextWriter);
    if (!writer)
        return false;
    CXmlOut xml(writer.get());
    xml.Check(xmlTextWriterSetIndent(writer.get(), 1));
    xml.Check(xmlTextWriterSetIndentString(writer.get(), X("  ")));
    xml.Check(xmlTextWriterStartDocument(writer.get(), "1.0", "UTF-8", nullptr));
    xml.Check(xmlTextWriterWriteDTD(writer.get(), X("MIDINameDocument"), X(kPublicId), X(kSystemId), nullptr));
    xml.Start("MIDINameDocument");
    xml.Element("Author", "Orvane");
    xml.Start("MasterDeviceNames");
    xml.Element("Manufacturer", "Orvane");
    xml.Element("Model", device);
    xml.Start("CustomDeviceMode");
    xml.Attribute("Name", "Default");
    xml.Start("ChannelNameSetAssignments");
    for (int channel = 1; channel <= 16; ++channel)
    {
        xml.Start("ChannelNameSetAssign");
        xml.Attribute("Channel", std::to_string(channel));
        xml.Attribute("NameSet", NameSet(channel == kDrumChannel));
        xml.End();
    }
    xml.End();
    xml.End();
    const INSTRDEFROW* begin = rows.data();
    const INSTRDEFROW* end = begin + rows.size();
    const INSTRDEFROW* drums = begin;
    while (drums != end && !drums->bDrumset)
        ++drums;
    WriteNameSet(xml, false, begin, drums);
    WriteNameSet(xml, true, drums, end);
    xml.End();
    xml.End();
    xml.Check(xmlTextWriterEndDocument(writer.get()));
    writer.reset(); // flushes into the buffer
    if (!xml.Ok())
        return false;
    out.assign(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
               static_cast<size_t>(xmlBufferLength(buffer.get())));
    return true;
}

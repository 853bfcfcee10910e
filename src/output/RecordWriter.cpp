#include "output/RecordWriter.h"

#include "base/Sjis.h"

void RecordWriter::Line(std::string_view utf8) {
    RawLine(sjis::Encode(utf8));
}

void RecordWriter::RawLine(std::string_view bytes) {
    bytes_ += bytes;
    bytes_ += "\r\n";
}

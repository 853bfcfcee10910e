// Builds the bytes of a coordinate or result file: record lines given in UTF-8 are encoded
// to code page 932, kept record lines are appended with their original bytes, and every
// line ends with CR LF.
#pragma once

#include <string>
#include <string_view>

class RecordWriter {
  public:
    // One line of UTF-8 text, encoded to code page 932.
    void Line(std::string_view utf8);
    // One kept line, exactly as read (code page 932 bytes without a line end).
    void RawLine(std::string_view bytes);

    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

#include "cli/rowformat.h"

#include <array>
#include <cstdio>

#include "controls/resultlist.h"
#include "text/gbk.h"

namespace zelkor::cli {
namespace {

constexpr std::array<const char*, 4> kJsonKeys = {"number", "segment1", "segment2", "title"};

std::string Column(const std::vector<Text>& row, std::size_t column) {
    return column < row.size() ? GbkToUtf8(row[column]) : std::string();
}

std::string TsvField(const std::string& field) {
    std::string out;
    for (const char c : field) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string out = "\"";
    for (const char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string JsonString(const std::string& field) {
    std::string out = "\"";
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

void WriteRows(std::ostream& out, const std::vector<std::vector<Text>>& rows, OutputFormat format) {
    switch (format) {
        case OutputFormat::Tsv:
            for (const auto& row : rows) {
                for (std::size_t c = 0; c < 4; ++c) {
                    out << (c ? "\t" : "") << TsvField(Column(row, c));
                }
                out << '\n';
            }
            break;
        case OutputFormat::Csv:
            for (std::size_t c = 0; c < 4; ++c) {
                out << (c ? "," : "") << Utf8Chars(kResultColumnHeaders[c]);
            }
            out << "\r\n";
            for (const auto& row : rows) {
                for (std::size_t c = 0; c < 4; ++c) {
                    out << (c ? "," : "") << CsvField(Column(row, c));
                }
                out << "\r\n";
            }
            break;
        case OutputFormat::Json:
            out << '[';
            for (std::size_t r = 0; r < rows.size(); ++r) {
                out << (r ? ",\n " : "\n ") << '{';
                for (std::size_t c = 0; c < 4; ++c) {
                    out << (c ? ", " : "") << '"' << kJsonKeys[c]
                        << "\": " << JsonString(Column(rows[r], c));
                }
                out << '}';
            }
            out << (rows.empty() ? "]\n" : "\n]\n");
            break;
    }
}

}  // namespace zelkor::cli

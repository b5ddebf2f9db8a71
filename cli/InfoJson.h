// The shapes info prints: a file as a JSON object, and the line of merged fields.
#pragma once
#include <QJsonObject>
#include <string>

#include "cli/FileFacts.h"

namespace cli {

QJsonObject FieldsJson(const tagging::EditFields& fields);
QJsonObject FileJson(const std::string& path, const FileFacts& facts);
// The path and the fields title, artist, album, year, track, genre and comment, joined by
// tabs; each written with OneLine, so that a tab or a line end inside a text stays inside
// its column.
std::string FieldsLine(const std::string& path, const tagging::EditFields& fields);

}  // namespace cli

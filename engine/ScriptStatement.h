#pragma once
// The text-script format of font descriptions: statements "key=value;" ended
// by a line feed, "//" comment lines, "{...}" keeping blanks and line ends,
// "^" standing for a line feed.
struct VxFile;

struct ScriptStatement {
    const char* key;  // temporary strings; "" when not set
    const char* value;
};

// Reads one statement from the file's read position. "COMMENT" for a comment
// line, "END_FILE" once the read position reaches the end: the last byte of
// the data is never part of a statement.
ScriptStatement ReadScriptStatement(VxFile* file, const char** key = nullptr, const char** value = nullptr);

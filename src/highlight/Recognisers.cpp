#include "highlight/Recognisers.h"

namespace quarry {

namespace {

constexpr unsigned char kCR = 13;

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isAlpha(unsigned char c) { return (c | 32) >= 'a' && (c | 32) <= 'z'; }
bool isIdentChar(unsigned char c) { return isAlpha(c) || isDigit(c) || c == '_'; }

bool at(const ScanCursor& c, unsigned char ch) { return !c.atEnd() && c.current() == ch; }

bool isWebChar(unsigned char c)
{
    switch (c) {
    case '#': case '&': case '-': case '.': case '/': case ':': case '=': case '?': case '@': case '\\':
    case '_': case '|': case '~':
        return true;
    default:
        return isAlpha(c) || isDigit(c);
    }
}

bool isMailChar(unsigned char c)
{
    return isAlpha(c) || isDigit(c) || c == '~' || c == '.' || c == '@' || c == '-' || c == '_';
}

bool pascalChar(ScanCursor& c)
{
    if (c.atEnd() || c.current() == kCR)
        return false;
    if (c.current() != '\'') {
        c.next();
        return true;
    }
    ScanOffset quote = c.position();
    c.next();
    if (at(c, '\'')) {
        c.next();
        return true;
    }
    c.seek(quote);
    return false;
}

bool webChars(ScanCursor& c)
{
    ScanOffset start = c.position();
    bool lastWasStop = false;
    while (!c.atEnd() && isWebChar(c.current())) {
        lastWasStop = c.current() == '.';
        c.next();
    }
    if (lastWasStop)
        c.previous();
    return c.position() > start;
}

bool originalChar(ScanCursor& c, ScanOffset tokenStart)
{
    ScanOffset here = c.position();
    if (tokenStart > 0) {
        c.seek(tokenStart - 1);
        bool lineStart = c.current() == kCR;
        c.seek(here);
        if (!lineStart)
            return false;
    }
    while (!c.atEnd() && c.current() != kCR)
        c.next();
    return true;
}

bool digits(ScanCursor& c)
{
    bool any = false;
    while (!c.atEnd() && isDigit(c.current())) {
        c.next();
        any = true;
    }
    return any;
}

bool numberOrFp(ScanCursor& c)
{
    if (!digits(c))
        return false;
    if (at(c, '.')) {
        ScanOffset dot = c.position();
        c.next();
        if (!digits(c)) {
            c.seek(dot);
            return true;
        }
    }
    if (at(c, 'e') || at(c, 'E')) {
        ScanOffset e = c.position();
        c.next();
        if (at(c, '+') || at(c, '-'))
            c.next();
        if (!digits(c))
            c.seek(e);
    }
    return true;
}

bool pascalString(ScanCursor& c)
{
    if (!at(c, '\''))
        return false;
    c.next();
    while (!c.atEnd() && c.current() != kCR) {
        unsigned char ch = c.current();
        c.next();
        if (ch != '\'')
            continue;
        if (!at(c, '\''))
            return true;
        c.next();  // a doubled quote stands for one
    }
    return true;
}

bool cString(ScanCursor& c, unsigned char quote)
{
    if (!at(c, quote))
        return false;
    c.next();
    while (!c.atEnd() && c.current() != kCR) {
        unsigned char ch = c.current();
        c.next();
        if (ch == quote)
            return true;
        if (ch == '\\' && !c.atEnd())
            c.next();
    }
    return true;
}

bool mailUrl(ScanCursor& c)
{
    ScanOffset start = c.position();
    bool at_sign = false, lastWasStop = false;
    while (!c.atEnd() && isMailChar(c.current())) {
        at_sign = at_sign || c.current() == '@';
        lastWasStop = c.current() == '.';
        c.next();
    }
    if (!at_sign) {
        c.seek(start);
        return false;
    }
    if (lastWasStop)
        c.previous();
    return true;
}

bool htmlString(ScanCursor& c)
{
    if (c.atEnd())
        return false;
    c.next();
    while (!c.atEnd() && c.current() != kCR) {
        unsigned char ch = c.current();
        c.next();
        if (ch == '"')
            break;
    }
    return true;
}

// Up to the line end; "-->" after a run of hyphens is left for the next token.
bool jsLineComment(ScanCursor& c)
{
    int hyphens = 0;
    while (!c.atEnd() && c.current() != kCR) {
        unsigned char ch = c.current();
        if (ch == '>' && hyphens >= 2) {
            c.previous();
            c.previous();
            return true;
        }
        hyphens = ch == '-' ? hyphens + 1 : 0;
        c.next();
    }
    return true;
}

}  // namespace

bool runRecogniser(int index, ScanCursor& c, ScanOffset tokenStart)
{
    switch (index) {
    case kPascalChar: return pascalChar(c);
    case kWebChar: return webChars(c);
    case kOriginalChar: return originalChar(c, tokenStart);
    case kStdIdentifier:
        if (c.atEnd() || !(isAlpha(c.current()) || c.current() == '_'))
            return false;
        while (!c.atEnd() && isIdentChar(c.current()))
            c.next();
        return true;
    case kStdNumberOrFp: return numberOrFp(c);
    case kStdPascalString: return pascalString(c);
    case kStdCString: return cString(c, '"');
    case kStdCChar: return cString(c, '\'');
    case kStdCNumberOrFpSigned:
        if (at(c, '+') || at(c, '-'))
            c.next();
        return numberOrFp(c);
    case kStdNumber: return digits(c);
    case kStdMailUrl: return mailUrl(c);
    case kStdHtmlString: return htmlString(c);
    case kStdJsLineComment: return jsLineComment(c);
    case kStdCStringSq: return cString(c, '\'');
    default: return false;
    }
}

StateSet recogniserStartSet(int index)
{
    StateSet s;
    switch (index) {
    case kStdIdentifier:
        s.addRange('a', 'z');
        s.addRange('A', 'Z');
        s.add('_');
        break;
    case kStdNumberOrFp: case kStdNumber: s.addRange('0', '9'); break;
    case kStdCNumberOrFpSigned:
        s.addRange('0', '9');
        s.add('+');
        s.add('-');
        break;
    case kStdPascalString: case kStdCChar: case kStdCStringSq: s.add('\''); break;
    case kStdCString: s.add('"'); break;
    case kStdHtmlString:
        s.add('"');
        s.add('\'');
        break;
    case kStdMailUrl:
        for (int c = 0; c < 256; ++c)
            if (isMailChar((unsigned char)c))
                s.add(c);
        break;
    case kStdJsLineComment: s.add('/'); break;
    default: break;
    }
    return s;
}

}  // namespace quarry

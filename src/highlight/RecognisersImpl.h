#pragma once
// The bodies of the match functions; included by Recognisers.h.
#include "highlight/Recognisers.h"

namespace quarry {

namespace recognise {


inline constexpr unsigned char kCR = 13;

inline bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
inline bool isAlpha(unsigned char c) { return (c | 32) >= 'a' && (c | 32) <= 'z'; }
inline bool isIdentChar(unsigned char c) { return isAlpha(c) || isDigit(c) || c == '_'; }

template <class C>
inline bool at(const C& c, unsigned char ch) { return !c.atEnd() && c.current() == ch; }

inline bool isWebChar(unsigned char c)
{
    switch (c) {
    case '#': case '&': case '-': case '.': case '/': case ':': case '=': case '?': case '@': case '\\':
    case '_': case '|': case '~':
        return true;
    default:
        return isAlpha(c) || isDigit(c);
    }
}

inline bool isMailChar(unsigned char c)
{
    return isAlpha(c) || isDigit(c) || c == '~' || c == '.' || c == '@' || c == '-' || c == '_';
}

template <class C>
bool pascalChar(C& c)
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

template <class C>
bool webChars(C& c)
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

template <class C>
bool originalChar(C& c, ScanOffset tokenStart)
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

template <class C>
bool digits(C& c)
{
    bool any = false;
    while (!c.atEnd() && isDigit(c.current())) {
        c.next();
        any = true;
    }
    return any;
}

template <class C>
bool numberOrFp(C& c)
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

template <class C>
bool pascalString(C& c)
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

template <class C>
bool cString(C& c, unsigned char quote)
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

template <class C>
bool mailUrl(C& c)
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

template <class C>
bool htmlString(C& c)
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
template <class C>
bool jsLineComment(C& c)
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

}  // namespace recognise

template <class C>
bool runRecogniser(int index, C& c, ScanOffset tokenStart)
{
    switch (index) {
    case kPascalChar: return recognise::pascalChar(c);
    case kWebChar: return recognise::webChars(c);
    case kOriginalChar: return recognise::originalChar(c, tokenStart);
    case kStdIdentifier:
        if (c.atEnd() || !(recognise::isAlpha(c.current()) || c.current() == '_'))
            return false;
        while (!c.atEnd() && recognise::isIdentChar(c.current()))
            c.next();
        return true;
    case kStdNumberOrFp: return recognise::numberOrFp(c);
    case kStdPascalString: return recognise::pascalString(c);
    case kStdCString: return recognise::cString(c, '"');
    case kStdCChar: return recognise::cString(c, '\'');
    case kStdCNumberOrFpSigned:
        if (recognise::at(c, '+') || recognise::at(c, '-'))
            c.next();
        return recognise::numberOrFp(c);
    case kStdNumber: return recognise::digits(c);
    case kStdMailUrl: return recognise::mailUrl(c);
    case kStdHtmlString: return recognise::htmlString(c);
    case kStdJsLineComment: return recognise::jsLineComment(c);
    case kStdCStringSq: return recognise::cString(c, '\'');
    default: return false;
    }
}


}  // namespace quarry

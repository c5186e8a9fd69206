// Character entities: the common named entities of markup pages and their characters, and
// the decoding of a line that holds them. Unknown entities are left as they are.
#pragma once

#include <QString>

namespace lxt {

// The named entities and their characters: each entry is an entity followed at once by
// its character; entries are separated by one blank ("&nbsp;" and "&#160;" decode to it).
inline constexpr char16_t kEntityTable[] =
    u"&copy;© &amp;& &nbsp; &#160; &#8212;— &AElig;Æ &Aacute;Á &Acirc;Â &Agrave;À &Aring;Å "
    u"&Atilde;Ã &Auml;Ä &Ccedil;Ç &ETH;Ð &Eacute;É &Ecirc;Ê &Egrave;È &Euml;Ë &Iacute;Í "
    u"&Icirc;Î &Igrave;Ì &Iuml;Ï &Ntilde;Ñ &Oacute;Ó &Ocirc;Ô &Ograve;Ò &Oslash;Ø &Otilde;Õ "
    u"&Ouml;Ö &THORN;Þ &Uacute;Ú &Ucirc;Û &Ugrave;Ù &Uuml;Ü &Yacute;Ý &aacute;á &acirc;â "
    u"&aelig;æ &agrave;à &aring;å &atilde;ã &auml;ä &ccedil;ç &eacute;é &ecirc;ê &egrave;è "
    u"&eth;ð &euml;ë &iacute;í &icirc;î &igrave;ì &iuml;ï &ntilde;ñ &oacute;ó &ocirc;ô "
    u"&ograve;ò &oslash;ø &otilde;õ &ouml;ö &szlig;ß &thorn;þ &uacute;ú &ucirc;û &ugrave;ù "
    u"&uuml;ü &yacute;ý &yuml;ÿ";

// The line with "&quot;" and the entities of kEntityTable replaced by their characters.
QString DecodeEntities(const QString& line);

}  // namespace lxt

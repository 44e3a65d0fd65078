#pragma once

// Every text the validator answers with. The texts with a place complete the
// sentence "Die Datei enthält in der Zeile N, Spalte M ..."; the others stand alone.
namespace lvxMessages {

inline constexpr char positionPrefix[] = "Die Datei enthält in der";

inline constexpr char noFile[] = "Keine Datei angegeben.";
inline constexpr char fileName[] = "Ungültiger Dateiname. Die Datei muss mit '.lvx' enden.";
inline constexpr char open[] = "Konnte Datei nicht öffnen.";
inline constexpr char limit[] =
    "Die Datei entspricht nicht der aktuellen XML-Schnittstellenbeschreibung. "
    "Sie enthält mehr als 1000 Scheine oder ist größer als 4MB.";
inline constexpr char encoding[] =
    "Die Datei entspricht nicht dem Datenformat der aktuellen "
    "XML-Schnittstellenbeschreibung (UTF-8 oder ASCII).";

inline constexpr char content[] =
    "Inhalte, die nicht der aktuellen XML-Schnittstellenbeschreibung entsprechen.";
inline constexpr char element[] =
    "Elemente, die nicht der aktuellen XML-Schnittstellenbeschreibung entsprechen. "
    "Entweder wurde ein XML-Tag vergessen, oder falsch geschrieben.";
inline constexpr char unclosedTag[] =
    "einen Inhalt, der nicht XML-konform ist. Ein XML-Tag wurde nicht geschlossen.";
inline constexpr char notWellFormed[] = "einen Inhalt, der nicht XML-konform ist.";

}  // namespace lvxMessages

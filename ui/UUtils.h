#pragma once

class QString;

// The desktop actions. Each hands its work to the clipboard or to the shell in
// one step, returns at once and tells the caller nothing.
class TUtils
{
public:
    TUtils() = delete;

    // Throws EClipboardError when there is no clipboard.
    static void CopyToClipboard(const QString& text);
    // Never throws: whatever goes wrong while opening the address is dropped.
    static void OpenUrl(const QString& url);
    static void OpenQQ();
    static void OpenWangWang();
    static void OpenNotepad();
    static void OpenCalc();
};

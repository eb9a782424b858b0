#pragma once
// The drag-and-drop type of a code box of the code list window. Only this type is
// accepted by the main window's code fields, so text dragged from elsewhere is not.
inline constexpr char CodeMimeType[] = "application/x-qov-ir-code";

// The runtime's error codes: their names, messages, the critical ones, and the texts of both
// dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

// Every error code the runtime raises or reports, in one list per kind: its name, its number and
// its message. Reported errors wait for the next statement and ask the player whether to go on.
#define KELVO_REPORTED_ERRORS(X)                                       \
  X(kNextWithoutFor, 1, "NEXT without FOR")                            \
  X(kSyntaxError, 2, "Syntax error")                                   \
  X(kReturnWithoutGosub, 3, "RETURN without GOSUB")                    \
  X(kOutOfData, 4, "Out of DATA")                                      \
  X(kIllegalFunctionCall, 5, "Illegal function call")                  \
  X(kOverflow, 6, "Overflow")                                          \
  X(kOutOfMemory, 7, "Out of memory")                                  \
  X(kLabelNotDefined, 8, "Label not defined")                          \
  X(kSubscriptOutOfRange, 9, "Subscript out of range")                 \
  X(kDuplicateDefinition, 10, "Duplicate definition")                  \
  X(kDivisionByZero, 11, "Division by zero")                           \
  X(kIllegalInDirectMode, 12, "Illegal in direct mode")                \
  X(kTypeMismatch, 13, "Type mismatch")                                \
  X(kOutOfStringSpace, 14, "Out of string space")                      \
  X(kStringFormulaTooComplex, 16, "String formula too complex")        \
  X(kCannotContinue, 17, "Cannot continue")                            \
  X(kFunctionNotDefined, 18, "Function not defined")                   \
  X(kNoResume, 19, "No RESUME")                                        \
  X(kResumeWithoutError, 20, "RESUME without error")                   \
  X(kDeviceTimeout, 24, "Device timeout")                              \
  X(kDeviceFault, 25, "Device fault")                                  \
  X(kForWithoutNext, 26, "FOR without NEXT")                           \
  X(kOutOfPaper, 27, "Out of paper")                                   \
  X(kWhileWithoutWend, 29, "WHILE without WEND")                       \
  X(kWendWithoutWhile, 30, "WEND without WHILE")                       \
  X(kDuplicateLabel, 33, "Duplicate label")                            \
  X(kSubprogramNotDefined, 35, "Subprogram not defined")               \
  X(kArgumentCountMismatch, 37, "Argument-count mismatch")             \
  X(kArrayNotDefined, 38, "Array not defined")                         \
  X(kVariableRequired, 40, "Variable required")                        \
  X(kFieldOverflow, 50, "FIELD overflow")                              \
  X(kInternalError, 51, "Internal error")                              \
  X(kBadFileNameOrNumber, 52, "Bad file name or number")               \
  X(kFileNotFound, 53, "File not found")                               \
  X(kBadFileMode, 54, "Bad file mode")                                 \
  X(kFileAlreadyOpen, 55, "File already open")                         \
  X(kFieldStatementActive, 56, "FIELD statement active")               \
  X(kDeviceIoError, 57, "Device I/O error")                            \
  X(kFileAlreadyExists, 58, "File already exists")                     \
  X(kBadRecordLength, 59, "Bad record length")                         \
  X(kDiskFull, 61, "Disk full")                                        \
  X(kInputPastEndOfFile, 62, "Input past end of file")                 \
  X(kBadRecordNumber, 63, "Bad record number")                         \
  X(kBadFileName, 64, "Bad file name")                                 \
  X(kTooManyFiles, 67, "Too many files")                               \
  X(kDeviceUnavailable, 68, "Device unavailable")                      \
  X(kCommunicationBufferOverflow, 69, "Communication-buffer overflow") \
  X(kPermissionDenied, 70, "Permission denied")                        \
  X(kDiskNotReady, 71, "Disk not ready")                               \
  X(kDiskMediaError, 72, "Disk-media error")                           \
  X(kFeatureUnavailable, 73, "Feature unavailable")                    \
  X(kRenameAcrossDisks, 74, "Rename across disks")                     \
  X(kPathFileAccessError, 75, "Path/File access error")                \
  X(kPathNotFound, 76, "Path not found")                               \
  X(kInvalidHandle, 258, "Invalid handle")

// Critical errors show a box and end the process; they are never pending. A run of codes
// `first`..`last` shares one text, and a title number N makes the title "Critical Error #N" for
// `first` (counting up along the run).
#define KELVO_CRITICAL_ERRORS(X)                                                            \
  X(kOutOfStackSpace, 256, 256, 0, "Out of stack space")                                    \
  X(kCriticalOutOfMemory, 257, 257, 1, "Out of memory")                                     \
  X(kDynamicLibraryMissing, 259, 259, 0, "Cannot find dynamic library file")                \
  X(kDynamicFunctionMissing, 260, 260, 0, "Sub/Function does not exist in dynamic library") \
  X(kImageOutOfMemory, 502, 517, 2, "Out of memory")

#define KELVO_ERROR_NAME(name, code, ...) name = code,
enum ErrorCode : int {
  KELVO_REPORTED_ERRORS(KELVO_ERROR_NAME) KELVO_CRITICAL_ERRORS(KELVO_ERROR_NAME)
};
#undef KELVO_ERROR_NAME

// The message shown for an error code; "Unprintable error" for codes without one.
std::string_view error_message(int code);

// Critical errors end the process after their box and are never pending.
bool is_critical(int code);

struct CriticalErrorText {
  std::string title;  // "Critical Error" or "Critical Error #N"
  std::string text;
};

// Title and text of a critical error's box; nothing for other codes.
std::optional<CriticalErrorText> critical_error_text(int code);

// "Unhandled Error #" and the code.
std::string error_dialog_title(int code);

// "Line:" and the line, the message, then "Continue?", one per line.
std::string error_dialog_text(int code, uint32_t line);

}  // namespace kelvo

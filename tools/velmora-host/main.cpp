// velmora-host: the reference host of the Velmora e-banking framework. It finds the registered
// bank component and runs its services on files, as the host application would.
#include "tools/velmora-host/Commands.h"
#include "tools/velmora-host/HostSession.h"
#include "tools/velmora-host/Output.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace {

constexpr char usage[] =
    "usage:\n"
    "  velmora-host list [--json]\n"
    "  velmora-host export --batch FILE.csv [--directory DIR] [--file-name NAME]\n"
    "                      [--extension EXT] [--format one-to-one|bacs-id] [--date YYYY-MM-DD]\n"
    "                      [--save-as PATH] [--interactive] [--json]\n"
    "  velmora-host import --statement FILE --sort-code CODE --account NUMBER [--cancel]\n"
    "                      [--json]\n"
    "\n"
    "export: the batch file is UTF-8 comma-separated text with a header row naming the\n"
    "  payment properties. The host's payment settings default to directory C:\\, file name\n"
    "  payments.csv and extension csv. Unattended, --format and --date answer the payment\n"
    "  format dialog and --save-as the save dialog; a dialog without an answer is cancelled.\n"
    "  --interactive shows the dialogs to a person instead.\n"
    "import: the file selector chooses the statement file, or nothing with --cancel.\n"
    "\n"
    "exit codes: 0 done, 1 the bank component or a call on it failed, 2 bad command line or\n"
    "  input file.\n";

} // namespace

int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    if (argc < 2) {
        std::fputs(usage, stderr);
        return ExitUsage;
    }
    const std::wstring command = argv[1];
    const std::vector<std::wstring> arguments(argv + 2, argv + argc);
    try {
        if (command == L"list") {
            return RunListCommand(arguments);
        }
        if (command == L"export") {
            return RunExportCommand(arguments);
        }
        if (command == L"import") {
            return RunImportCommand(arguments);
        }
        std::fputs(usage, stderr);
        return ExitUsage;
    } catch (const HostFailure& failure) {
        PrintError(failure.what());
        return failure.ExitCode();
    } catch (const std::exception& failure) {
        PrintError(failure.what());
        return ExitComponentFailed;
    }
}

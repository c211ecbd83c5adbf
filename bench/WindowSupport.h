// The real window for the benchmarks: the toolkit's start-up and the main window driven as a
// user would drive it. Benchmarks include no toolkit header themselves.
#pragma once

#include <memory>

class CSitequillDlg;

namespace sqbench {

/// Starts the toolkit on the display; false when there is none (run under xvfb-run).
bool StartWindowToolkit(int argc, char** argv);
void StopWindowToolkit();

/// The main window of one dialog object, shown on the display.
class BenchWindow {
public:
    explicit BenchWindow(CSitequillDlg& dlg);
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    /// Start-up until the window is shown and painted.
    void Open();
    /// Closing: the window ends and is destroyed, which saves the catalogue.
    void Close();
    /// A click on a button; the run's closing prompt is answered with No.
    void ClickAnsweringNo(int buttonId);
    int RowCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace sqbench

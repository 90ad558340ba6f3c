// CLmSaveNotice: what the user hears when one of the player's files ("PlayList.txt",
// "Settings.ini") cannot be saved. Each file has one; its owner reports every save's result. The
// first failure of a streak shows a toast, the failures after it none, and a success ends the
// streak, so that the next failure tells again. The owner tries again on the next change and at
// exit, where no toast can be seen; the failed save itself left the old file whole.
#pragma once

class CLmSaveNotice
{
public:
    // Records a save's result (1 saved, 0 failed). A failure that begins a streak shows the toast
    // unless `quiet`; a quiet failure still begins the streak.
    void Report(int saved, bool quiet);
    // Whether the last save failed: what the file should hold is not on disk.
    bool IsFailing() const { return failing; }

private:
    bool failing = false;   // the last reported save failed
};

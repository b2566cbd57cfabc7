#pragma once

class QDateEdit;
class QDialog;
class QLabel;
class QPushButton;
class QVBoxLayout;

// What the report windows over a range of days share: "Select a starting
// date" and "Select an ending date" with their date pickers, then the
// buttons Preview (the default), Print and Close, which closes the
// window. The window connects Preview and Print.
struct ReportRangeControls {
    explicit ReportRangeControls(QDialog *window);

    // The dates, a space, then the buttons, at the end of the layout.
    void addTo(QVBoxLayout *layout);
    // Both pickers on today, the starting one with the focus.
    void showToday();
    void applyFrenchCaptions();

    QLabel *Label1, *Label2;
    QDateEdit *DateTimePicker1; // starting date
    QDateEdit *DateTimePicker2; // ending date
    QPushButton *BitBtn1;       // Preview
    QPushButton *BitBtn2;       // Print
    QPushButton *BitBtn3;       // Close
};

#pragma once

class QWidget;
class TDataModule2;

// "Import products": the file chosen in the open-file dialog is merged
// into the product table, then one message says what was added, updated
// and skipped. A name that does not exist is created as an empty file; a
// file that cannot be read is said so, and nothing is imported.
void importProducts(TDataModule2 &dm, QWidget *parent);

#pragma once

class QString;
class TDataModule2;

// Finds a product for the product lookup without stepping through the
// table: a whole number is looked for as a code first; otherwise, or when
// no product has that code, the next product after the current one (in
// code order, going round to the first) whose description contains the
// text, without regard to case. The product found becomes the product
// table's current record; false when there is none.
bool findProduct(TDataModule2 &dm, const QString &text);

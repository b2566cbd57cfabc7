#pragma once

class TDataModule2;

// The first step of a posting, inside its transaction: the work header must
// agree with the work lines it is posted with. Its subtotal must be the sum
// of the lines and its grand total the subtotal plus its taxes, both to the
// ten-thousandth, and no line total, tender or sale total may pass the
// amount limit. Otherwise raises StoreError saying what is wrong, before
// anything is written.
void checkSaleToPost(TDataModule2 &dm);

#pragma once

// The payment file format chosen in the payment format dialog.
enum PaymentFormat : int {
    OneToOne = 0, // "Payment 1 To 1": carries the processing date
    BacsId = 1,   // "Business eBanking BACS ID"
};

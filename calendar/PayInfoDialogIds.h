#pragma once
// Resource and control identifiers of the payment format dialog, shared by its resource
// script and its code.

#define IDD_PAY_INFO 1001
#define IDI_PAYMENT 200

#define IDC_DATE_LABEL 2001
#define IDC_DATE_PICKER 2003
#define IDC_FORMAT_NOTE 2008
#define IDC_FORMAT_GROUP 2012
// The radio button of a format is IDC_ONE_TO_ONE plus the format's value.
#define IDC_ONE_TO_ONE 2013
#define IDC_BACS_ID 2014

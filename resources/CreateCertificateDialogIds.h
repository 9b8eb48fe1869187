/// \file
/// Ids of the Create Certificate dialog's template, controls and introduction, in the library's resources.
///
/// \code{.cpp}
/// CString path;
/// dialog.GetDlgItemText(IDC_CERTIFICATE_PATH, path);
/// \endcode
#pragma once

#define IDD_CREATE_CERTIFICATE 1045              ///< The dialog template.
#define IDS_CREATE_CERTIFICATE_INTRODUCTION 5019 ///< The introduction's text; %1: the application's name.

#define IDC_CERTIFICATE_BROWSE 1018              ///< The "..." button that chooses the certificate file.
#define IDC_CERTIFICATE_COMMON_NAME 1181         ///< The subject's common name.
#define IDC_CERTIFICATE_ORGANIZATION 1182        ///< The subject's organisation.
#define IDC_CERTIFICATE_ORGANIZATIONAL_UNIT 1183 ///< The subject's organisational unit.
#define IDC_CERTIFICATE_COUNTRY 1184             ///< The subject's country or region.
#define IDC_CERTIFICATE_STATE 1185               ///< The subject's state or province.
#define IDC_CERTIFICATE_LOCALITY 1186            ///< The subject's locality or city.
#define IDC_CERTIFICATE_EMAIL 1187               ///< The subject's e-mail address.
#define IDC_CERTIFICATE_PATH 1188                ///< The path of the certificate file to create.
#define IDC_CERTIFICATE_EXPLANATION 1189         ///< The explanation of the focused field, above the buttons.
#define IDC_CERTIFICATE_INTRODUCTION 3000        ///< The read-only introduction at the top.
#define IDC_CERTIFICATE_EXPIRATION 3001          ///< The date picker of the certificate's expiration.
#define IDC_CERTIFICATE_KEY_SIZE 3003            ///< The drop-down list of key sizes.

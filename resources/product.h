/* The product's identity, shared by the version resource and the code. */
#pragma once
#define TARNWICK_PRODUCT_NAME "Tarnwick"
#define TARNWICK_COMPANY_NAME "Corvana"
#define TARNWICK_VERSION_TEXT "3.24"
#define TARNWICK_VERSION_BINARY 3, 24, 0, 0

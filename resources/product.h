/* The product's identity for the version resource (the code has src/product_texts.h). */
#pragma once
#define TARNWICK_PRODUCT_NAME "Tarnwick"
#define TARNWICK_COMPANY_NAME "Corvana"
#define TARNWICK_VERSION_TEXT "3.24"
#define TARNWICK_VERSION_BINARY 3, 24, 0, 0

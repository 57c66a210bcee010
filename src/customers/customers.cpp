// The customer types, spawning and removal.
#include "customers/customers.h"

void loadCustomerAssets() {}
Customer& spawnCustomer(int, int, int, float, float) {
    game.customers.emplace_front();
    return game.customers.front();
}
std::list<Customer>::iterator removeCustomer(std::list<Customer>::iterator customer) {
    return game.customers.erase(customer);
}
void forgetAllCustomers() {}

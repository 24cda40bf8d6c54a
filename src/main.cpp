// Entry point of briskel-view.
int main() { return 0; }

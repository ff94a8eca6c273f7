// kombinator-bench: timings of the hot paths against the straightforward reference.
int main() { return 0; }

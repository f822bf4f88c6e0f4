// A GUI program that does nothing: the baseline of a process under the same Wine.
int main() { return 0; }
